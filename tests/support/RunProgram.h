#pragma once

#include <map>
#include <string>
#include <vector>

namespace ks::test {

struct ProgramResult {
    int status = -1; // exit status, 128 + signal, -1 when it could not run
    std::string out;
    std::string err;
};

// Runs a program to its end with extra environment variables, capturing both outputs.
ProgramResult runProgram(const std::string& path, const std::vector<std::string>& args,
                         const std::map<std::string, std::string>& env = {});

// A fresh empty folder under the system's temporary folder, removed by the destructor.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

} // namespace ks::test
