// A fresh temporary directory for one test, and reading back what a test or the program wrote.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace bw::test {

// Writes bytes to a file in a fresh temporary directory that lives as long as the object.
class TemporaryDirectory {
  public:
    TemporaryDirectory();
    ~TemporaryDirectory();
    const std::string& Path() const { return path_; }
    std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const;
    std::string Write(const std::string& name, const std::string& text) const;

  private:
    std::string path_;
};

// The whole file, byte for byte; empty when it cannot be read.
std::string ReadText(const std::string& path);
std::vector<std::uint8_t> ReadBytes(const std::string& path);

}  // namespace bw::test
