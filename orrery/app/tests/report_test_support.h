// What the report window tests share: a folder of their own and reading
// back the files written there.
#ifndef ORRERY_APP_TESTS_REPORT_TEST_SUPPORT_H
#define ORRERY_APP_TESTS_REPORT_TEST_SUPPORT_H

#include <string>

std::string ReadFile(const std::string& path);

// A folder made for the test, made the process's temporary folder and its
// current directory (where the pages put their picture) while it lives.
class CTemporaryFolder {
public:
    CTemporaryFolder();
    ~CTemporaryFolder();
    CTemporaryFolder(const CTemporaryFolder&) = delete;
    CTemporaryFolder& operator=(const CTemporaryFolder&) = delete;

    std::string path;

private:
    std::string m_savedTmp;
    std::string m_savedDirectory;
};

#endif
