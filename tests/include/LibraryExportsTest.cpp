// The libraries as a calling program links them: the exported static functions resolve from each
// shared library, although everything else in it is hidden.
#include "ZantuVextMdApi.h"
#include "ZantuVextTraderApi.h"

#include <gtest/gtest.h>

TEST(LibraryExports, BothLibrariesReportTheirVersion) {
    EXPECT_STREQ(CZantuVextTraderApi::GetApiVersion(), "6.3.19_P1");
    EXPECT_STREQ(CZantuVextMdApi::GetApiVersion(), "6.3.19_P1");
}
