// Library loader against the real engine library and libraries that cannot be loaded.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <string>

#include "project/DynamicLibrary.h"

namespace korven {
namespace {

const std::string kEngine = std::string(KORVEN_BIN_DIR) + "/Korven2012_DLL.so";

// Whether the system still holds the library; asking must not keep it there.
bool Resident(const std::string& path) {
    void* h = dlopen(path.c_str(), RTLD_LAZY | RTLD_NOLOAD);
    if (h) dlclose(h);
    return h != nullptr;
}

TEST(DynamicLibrary, LookupBeforeLoadingRaisesNotOpen) {
    TDynamicLibrary lib;
    EXPECT_FALSE(lib.IsLoaded());
    try {
        lib.Lookup("IKORVEN");
        FAIL() << "no error";
    } catch (const EDLLError& e) {
        EXPECT_NE(dynamic_cast<const EDLLNotOpenError*>(&e), nullptr);
        EXPECT_STREQ(e.what(), "Library is not open");
    }
}

TEST(DynamicLibrary, LoadsTheEngineOnceAndUnloadsIt) {
    ASSERT_FALSE(Resident(kEngine));
    {
        TDynamicLibrary lib;
        lib.SetLibraryName(kEngine);
        lib.Load();
        lib.Load();
        ASSERT_TRUE(lib.IsLoaded());
        EXPECT_TRUE(lib.LastError().empty());
        void* entry = lib.Lookup("_IKORVEN");
        EXPECT_NE(entry, nullptr);
        EXPECT_EQ(lib.Lookup("IKORVEN"), entry);
        EXPECT_EQ(lib.Lookup("NoSuchEntry"), nullptr);

        EXPECT_FALSE(lib.Unload());
        EXPECT_FALSE(lib.IsLoaded());
        EXPECT_FALSE(Resident(kEngine)) << "loaded twice";
        EXPECT_THROW(lib.Lookup("IKORVEN"), EDLLNotOpenError);

        lib.Load();
        EXPECT_TRUE(Resident(kEngine));
        lib.SetLibraryName("elsewhere.so");  // frees the loaded one
        EXPECT_FALSE(lib.IsLoaded());
        EXPECT_FALSE(Resident(kEngine));

        lib.SetLibraryName(kEngine);
        lib.Load();
    }
    EXPECT_FALSE(Resident(kEngine)) << "still loaded after destruction";
}

TEST(DynamicLibrary, MissingLibraryOrDependencyCouldNotBeLocated) {
    for (const std::string& path :
         {std::string(KORVEN_BIN_DIR) + "/NoSuchLibrary.so", std::string("libkorven_nowhere.so"),
          std::string(KORVEN_FIXTURE_NEEDS_HIDDEN)}) {
        SCOPED_TRACE(path);
        TDynamicLibrary lib;
        lib.SetLibraryName(path);
        try {
            lib.Load();
            FAIL() << "no error";
        } catch (const EFileNotFoundError& e) {
            EXPECT_STREQ(e.what(), "Library could not be located");
            EXPECT_FALSE(e.Detail.empty());
        }
        EXPECT_FALSE(lib.IsLoaded());
        EXPECT_THROW(lib.Lookup("korven_fixture_entry"), EDLLNotOpenError);
    }
}

TEST(DynamicLibrary, UnresolvedSymbolIsAFailedInitialisation) {
    TDynamicLibrary lib;
    lib.SetLibraryName(KORVEN_FIXTURE_UNRESOLVED);
    try {
        lib.Load();
        FAIL() << "no error";
    } catch (const EDLLError& e) {
        EXPECT_NE(dynamic_cast<const EInitError*>(&e), nullptr);
        EXPECT_STREQ(e.what(), "Library failed to properly initialize");
    }
    EXPECT_FALSE(lib.IsLoaded());
}

TEST(DynamicLibrary, OtherFailuresRaiseNothingAndLeaveItNotLoaded) {
    // a file that exists but is no library, and no name at all
    for (const std::string& path : {std::string(KORVEN_SOURCE_DIR) + "/README.md", std::string()}) {
        SCOPED_TRACE(path);
        TDynamicLibrary lib;
        lib.SetLibraryName(path);
        EXPECT_NO_THROW(lib.Load());
        EXPECT_FALSE(lib.IsLoaded());
        EXPECT_FALSE(lib.LastError().empty());
        EXPECT_THROW(lib.Lookup("IKORVEN"), EDLLNotOpenError);
    }
}

}  // namespace
}  // namespace korven
