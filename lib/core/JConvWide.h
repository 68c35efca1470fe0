// Length passes with 32-byte vectors, on processors that have them.
#pragma once

#include <cstddef>

namespace skiff::jconv {

// Whether the passes below may run: the processor has AVX2 and no test turned them off.
bool WideVectors();

// Turns the wide passes off (or back on, where the processor has them), for tests of the
// passes every processor runs.
void UseWideVectors(bool use);

// Shift-JIS or EUC-JP bytes of the UTF-8 text at s: whole blocks of sixty-four bytes while they
// hold nothing but ASCII, two-byte characters of leads C3-DF and three-byte characters of
// leads E1-EE (no single-byte result, no overlong form, nothing broken). Answers where it
// stopped, a character's start; only where WideVectors.
const unsigned char* PlainUtf8Blocks(const unsigned char* s, const unsigned char* end,
                                     std::size_t& size);

// UTF-8 bytes of the Shift-JIS text at s: whole blocks while every lead byte has its trail
// byte and no pair may write fewer than three bytes. Answers where it stopped, a character's
// start; only where WideVectors.
const unsigned char* PlainSjisToUtf8Blocks(const unsigned char* s, const unsigned char* end,
                                           std::size_t& size);

} // namespace skiff::jconv
