// What the report window tests share: a folder of their own, where the
// reports are written and read back (test_support::read_file).
#ifndef ORRERY_APP_TESTS_REPORT_TEST_SUPPORT_H
#define ORRERY_APP_TESTS_REPORT_TEST_SUPPORT_H

#include "tests/support/temp_folder.h"

#include <string>

// A folder made for the test, made the process's temporary folder and its
// current directory (where the pages put their picture) while it lives.
class CTemporaryFolder {
public:
    CTemporaryFolder();
    ~CTemporaryFolder();

    const std::string& Path() const { return m_folder.path(); }

private:
    test_support::TempFolder m_folder;
    std::string m_savedTmp;
    std::string m_savedDirectory;
};

#endif
