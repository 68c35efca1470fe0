// A temporary folder for the files the reader and stream tests open, removed afterwards.
#pragma once

#include "skiff.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

// A unique folder under the system's temporary folder, removed with everything in it.
class SkiffTempDir
{
public:
    SkiffTempDir()
    {
        static std::atomic<int> serial{0};
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        folder = std::filesystem::temp_directory_path() /
                 ("skiff_test_" + std::to_string(stamp) + "_" + std::to_string(++serial));
        std::filesystem::create_directories(folder);
    }
    SkiffTempDir(const SkiffTempDir&) = delete;
    SkiffTempDir& operator=(const SkiffTempDir&) = delete;
    ~SkiffTempDir()
    {
        std::error_code error;
        std::filesystem::remove_all(folder, error);
    }

    std::string Path(const std::string& name) const { return (folder / name).string(); }

    // Writes the bytes to a file of the folder and returns its path.
    std::string Write(const std::string& name, const std::string& bytes) const
    {
        const std::string path = Path(name);
        std::ofstream(path, std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return path;
    }

    static std::string Read(const std::string& path)
    {
        std::ifstream file(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    }

private:
    std::filesystem::path folder;
};

// Closes whatever a test left open in the library, whichever way the test ends.
class SkiffFileTest : public ::testing::Test
{
protected:
    void TearDown() override { Terminate(); }

    SkiffTempDir temp;
};
