#include <gtest/gtest.h>

#include "installer/src/install/PackageCommandLine.h"
#include "installer/src/install/UnInstaller.h"

namespace {

using Install::BuildPackageCommandLine;
using Install::PackageSwitches;

const std::wstring kPackage = L"\"C:\\Apps\\Melodrix\\__Package_Melodrix.exe\"";

TEST(PackageCommandLine, AllFlagsTrue) {
  EXPECT_EQ(BuildPackageCommandLine(kPackage, PackageSwitches{true, true, true, true}, L"",
                                    L"C:\\Apps\\Melodrix"),
            L"\"C:\\Apps\\Melodrix\\__Package_Melodrix.exe\" /S -console=show -version=1.0.0"
            L" -adminact=true -authorizationact=true -dsc=true -ssc=true"
            L" -instdir=\"C:\\Apps\\Melodrix\" /D=C:\\Apps\\Melodrix");
}

TEST(PackageCommandLine, EachFlagHasItsOwnSwitch) {
  // desktopShortcut, quickLaunch, consoleUserIsAdmin, runsAsAdmin
  EXPECT_EQ(BuildPackageCommandLine(kPackage, PackageSwitches{false, false, false, false}, L"",
                                    L"D:\\M"),
            kPackage + L" /S -console=show -version=1.0.0 -adminact=false"
                       L" -authorizationact=false -dsc=false -ssc=false -instdir=\"D:\\M\" /D=D:\\M");
  EXPECT_EQ(BuildPackageCommandLine(kPackage, PackageSwitches{true, false, false, true}, L"",
                                    L"D:\\M"),
            kPackage + L" /S -console=show -version=1.0.0 -adminact=false"
                       L" -authorizationact=true -dsc=true -ssc=false -instdir=\"D:\\M\" /D=D:\\M");
}

TEST(PackageCommandLine, InstCmdFollowsTheFlagsWithOneBlank) {
  EXPECT_EQ(BuildPackageCommandLine(kPackage, PackageSwitches{false, false, true, false}, L"/NCRC",
                                    L"C:\\A B"),
            kPackage + L" /S -console=show -version=1.0.0 -adminact=true"
                       L" -authorizationact=false -dsc=false -ssc=false /NCRC"
                       L" -instdir=\"C:\\A B\" /D=C:\\A B");
}

TEST(PackageCommandLine, EmptyInstallDirectoryGivesNoDirectorySwitches) {
  std::wstring line =
      BuildPackageCommandLine(kPackage, PackageSwitches{true, true, true, false}, L"/NCRC", L"");
  EXPECT_EQ(line, kPackage + L" /S -console=show -version=1.0.0 -adminact=true"
                             L" -authorizationact=false -dsc=true -ssc=true /NCRC");
}

TEST(UninstallCommandLine, ExactText) {
  EXPECT_EQ(Install::BuildUninstallCommandLine(L"C:\\T\\Melodrix_un_asa.exe", true, false,
                                               L"C:\\Old Place"),
            L"C:\\T\\Melodrix_un_asa.exe /S -adminact=true -authorizationact=false"
            L" -console=show _?=C:\\Old Place");
  EXPECT_EQ(Install::BuildUninstallCommandLine(L"u.exe", false, true, L"D:\\P"),
            L"u.exe /S -adminact=false -authorizationact=true -console=show _?=D:\\P");
}

}  // namespace
