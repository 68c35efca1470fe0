// The count of characters that conversions replaced by the geta mark.
#pragma once

namespace skiff {

// Starts a new count; opening a file does this.
void ResetConvErrCnt();
// Adds the substitutions of one conversion.
void AddConvErrs(int n);

} // namespace skiff
