// The desktop program's widget-free rules: caption, recent files, settings, names.dat, the
// decimal separator of a run, the run itself, and the JPEG decoder.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QSettings>
#include <QTemporaryDir>
#include <clocale>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "entry/GridSnap.h"
#include "entry/JpegImage.h"
#include "project/MainRules.h"
#include "project/RunCommand.h"
#include "project/RunSupport.h"
#include "project/Settings.h"

namespace korven {
namespace {

TEST(MainRules, CaptionUsesTheShortName) {
    struct Case {
        const char* file;
        const char* caption;
    };
    const Case cases[] = {
        {"NewKorven.kvd", "KORVEN 2012.7.2 - NewKorven"},
        {"/data/jobs/bridge.KVD", "KORVEN 2012.7.2 - Bridge"},
        {"/data/jobs/pier.txt", "KORVEN 2012.7.2 - Pier.txt"},
        {"/data/a.kvd", "KORVEN 2012.7.2 - a"},  // one character stays as it is
        {"/data/x.y/bent 4.kvd", "KORVEN 2012.7.2 - Bent 4"},
    };
    for (const Case& c : cases) EXPECT_EQ(MainCaption(c.file).toStdString(), c.caption) << c.file;
}

TEST(MainRules, CommandLineNameGetsKvdOnlyWithoutDotInItsFileName) {
    struct Case {
        const char* argument;
        const char* project;
    };
    const Case cases[] = {
        {"bridge", "bridge.kvd"},
        {"bridge.kvd", "bridge.kvd"},
        {"bridge.old", "bridge.old"},
        {"../jobs/bridge", "../jobs/bridge.kvd"},
        {"/home/x.y/bridge", "/home/x.y/bridge.kvd"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CommandLineProject(c.argument).toStdString(), c.project) << c.argument;
}

QStringList Entries(const TRecentFiles& r) {
    QStringList list;
    for (int i = 0; i < TRecentFiles::kSize; ++i) list << r[i];
    return list;
}

TEST(RecentFiles, RotationAndTheEleventhFile) {
    TRecentFiles r;
    for (int i = 1; i <= 10; ++i) EXPECT_TRUE(r.Add(QStringLiteral("/p/%1.kvd").arg(i)));
    EXPECT_EQ(r.Count(), 10);
    EXPECT_EQ(r[0], "/p/10.kvd");
    EXPECT_EQ(r[9], "/p/1.kvd");

    const QStringList before = Entries(r);
    EXPECT_FALSE(r.Add("/p/10.kvd"));  // already first: nothing moves
    EXPECT_EQ(Entries(r), before);

    EXPECT_TRUE(r.Add("/p/7.kvd"));  // from position 4: those above move down one place
    EXPECT_EQ(Entries(r),
              QStringList({"/p/7.kvd", "/p/10.kvd", "/p/9.kvd", "/p/8.kvd", "/p/6.kvd", "/p/5.kvd",
                           "/p/4.kvd", "/p/3.kvd", "/p/2.kvd", "/p/1.kvd"}));

    EXPECT_TRUE(r.Add("/p/11.kvd"));  // a new one: the oldest drops
    EXPECT_EQ(r[0], "/p/11.kvd");
    EXPECT_EQ(r[9], "/p/2.kvd");
    EXPECT_EQ(r.Count(), 10);
}

TEST(RecentFiles, MenuTextDropsTheCurrentDirectory) {
    TRecentFiles r;
    r.Add("/elsewhere/b.kvd");
    r.Add("/jobs/a.kvd");
    EXPECT_EQ(r.MenuText(0, "/jobs").toStdString(), "1 a.kvd");
    EXPECT_EQ(r.MenuText(0, "/jobs/").toStdString(), "1 a.kvd");
    EXPECT_EQ(r.MenuText(1, "/jobs").toStdString(), "2 /elsewhere/b.kvd");
    EXPECT_EQ(r.MenuText(0, "/job").toStdString(), "1 /jobs/a.kvd");  // only whole folders
}

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FHome.isValid());
        qputenv("XDG_CONFIG_HOME", FHome.path().toUtf8());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, FHome.path());
    }
    QTemporaryDir FHome;
};

TEST_F(SettingsTest, EditorDefaultIsCreatedAndRecentFilesRoundTrip) {
    EXPECT_EQ(TSettingsStore::ReadEditorAtCreate(), DefaultTextEditor());
    {
        QSettings s(QSettings::NativeFormat, QSettings::UserScope, "Pravex", "KORVEN");
        EXPECT_EQ(s.value("2012.7.2/Word Processor").toString(), DefaultTextEditor());
    }
    TRecentFiles recent;
    recent.Add("/jobs/a.kvd");
    recent.Add("/jobs/b.kvd");
    ASSERT_TRUE(TSettingsStore::Write("kate", recent));

    QString editor = "before";
    TRecentFiles back;
    ASSERT_TRUE(TSettingsStore::ReadAtShow(editor, back));
    EXPECT_EQ(editor, "kate");
    EXPECT_EQ(Entries(back), Entries(recent));
    QSettings s(QSettings::NativeFormat, QSettings::UserScope, "Pravex", "KORVEN");
    EXPECT_EQ(s.value("2012.7.2/File1").toString(), "/jobs/b.kvd");
    EXPECT_EQ(s.value("2012.7.2/File2").toString(), "/jobs/a.kvd");
}

TEST_F(SettingsTest, EmptyStoredEditorKeepsTheCurrentOne) {
    ASSERT_TRUE(TSettingsStore::Write("", TRecentFiles{}));
    QString editor = "xdg-open";
    TRecentFiles back;
    ASSERT_TRUE(TSettingsStore::ReadAtShow(editor, back));
    EXPECT_EQ(editor, "xdg-open");
    EXPECT_EQ(back.Count(), 0);
}

TEST(RunSupport, RunControlFileHasFiveLines) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString project = dir.filePath("pier 3.kvd");
    QString error;
    ASSERT_TRUE(WriteRunControlFile(dir.path(), project, error)) << error.toStdString();
    QFile f(dir.filePath("names.dat"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString stem = dir.filePath("pier 3");
    EXPECT_EQ(QString::fromLocal8Bit(f.readAll()), "2012.7.2\r\n" + project + "\r\n" + stem
                                                       + ".kvo\r\n" + stem + ".kvp\r\n" + stem
                                                       + ".kvr\r\n");
}

TEST(RunSupport, PathWithLineBreakIsRefused) {
    QTemporaryDir dir;
    QString error;
    EXPECT_FALSE(WriteRunControlFile(dir.path(), dir.filePath("a\nb.kvd"), error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(dir.filePath("names.dat")));
}

// A program finds the engine and the documents beside itself in the build tree (bin/, docs/) and
// in an installed prefix (bin/, lib/korven/, share/doc/korven/).
TEST(RunSupport, EngineAndDocumentsAreFoundInBuildTreeAndInstallTree) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QDir root(dir.path());
    const auto touch = [&](const QString& relative) {
        root.mkpath(QFileInfo(root.filePath(relative)).path());
        QFile f(root.filePath(relative));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    };
    const QString bin = root.filePath("bin");
    root.mkpath("bin");
    const auto found = [&](const QString& document) {
        return DocumentPath(bin, document).toStdString();
    };
    // neither: the path beside the program, so the load failure names it
    EXPECT_EQ(EngineLibraryPath(bin).toStdString(), (bin + "/Korven2012_DLL.so").toStdString());
    EXPECT_EQ(found("guide/index.html"), "");

    touch("lib/korven/Korven2012_DLL.so");
    touch("share/doc/korven/guide/index.html");
    touch("docs/guide/korven-guide.pdf");
    EXPECT_EQ(EngineLibraryPath(bin).toStdString(),
              root.filePath("lib/korven/Korven2012_DLL.so").toStdString());
    EXPECT_EQ(found("guide/index.html"),
              root.filePath("share/doc/korven/guide/index.html").toStdString());
    EXPECT_EQ(found("guide/korven-guide.pdf"),
              root.filePath("docs/guide/korven-guide.pdf").toStdString());

    touch("bin/Korven2012_DLL.so");  // the build tree's library beside the program wins
    EXPECT_EQ(EngineLibraryPath(bin).toStdString(), (bin + "/Korven2012_DLL.so").toStdString());
}

// A German user locale writes "," for the decimal separator: that is what a run must undo.
class GermanLocale : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) GTEST_SKIP() << "no de_DE.UTF-8 locale";
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    }
    void TearDown() override {
        std::setlocale(LC_NUMERIC, "C");
        QLocale::setDefault(QLocale::c());
    }
    static std::string CPoint() { return std::localeconv()->decimal_point; }
};

TEST_F(GermanLocale, DecimalPointGuardForcesAndRestores) {
    ASSERT_EQ(CPoint(), ",");
    {
        TDecimalPointGuard guard;
        EXPECT_EQ(CPoint(), ".");
        EXPECT_EQ(QLocale().decimalPoint(), ".");
        char text[32];
        std::snprintf(text, sizeof text, "%.1f", 2.5);
        EXPECT_STREQ(text, "2.5");
    }
    EXPECT_EQ(CPoint(), ",");
    EXPECT_EQ(QLocale().decimalPoint(), ",");
}

TEST_F(GermanLocale, MissingLibraryFailsCleanlyAndRestoresTheSeparator) {
    QTemporaryDir dir;
    const QString project = dir.filePath("p.kvd");
    TRunCommand run(dir.filePath("no-such-engine.so"));
    QStringList told;
    std::string pointWhenTold;
    bool loaded = false;
    TRunHooks hooks;
    hooks.Inform = [&](const QString& t) {
        told << t;
        pointWhenTold = CPoint();
    };
    hooks.LoadResults = [&](const QString&) { loaded = true; };
    EXPECT_FALSE(run.Execute(project, hooks));
    EXPECT_EQ(told, QStringList{"Attempt to initialize DLL failed"});
    EXPECT_EQ(pointWhenTold, ".");
    EXPECT_FALSE(loaded);
    EXPECT_EQ(CPoint(), ",");
    EXPECT_EQ(QLocale().decimalPoint(), ",");
    EXPECT_FALSE(QFile::exists(dir.filePath("names.dat")));
}

TEST_F(GermanLocale, RealEngineRunsWithPointAndLeavesItsFiles) {
    QTemporaryDir dir;
    const QString project = dir.filePath("bridge.kvd");
    ASSERT_TRUE(QFile::copy(KORVEN_SOURCE_DIR "/examples/bridge-clay-design-load.kvd", project));
    TRunCommand run(KORVEN_BIN_DIR "/Korven2012_DLL.so");
    QStringList told, cursor;
    QString plot;
    TRunHooks hooks;
    hooks.Inform      = [&](const QString& t) { told << t + (CPoint() == "." ? "" : " [comma]"); };
    hooks.WaitCursor  = [&](bool on) { cursor << (on ? "wait" : "back"); };
    hooks.LoadResults = [&](const QString& p) {
        plot = p;
        EXPECT_TRUE(QFile::exists(dir.filePath("names.dat")));  // the library is still loaded
    };
    ASSERT_TRUE(run.Execute(project, hooks));
    EXPECT_EQ(told, QStringList{TRunCommand::kCompleted});
    EXPECT_EQ(cursor, QStringList({"wait", "back"}));
    EXPECT_FALSE(QFile::exists(dir.filePath("names.dat")));
    EXPECT_TRUE(QFile::exists(dir.filePath("bridge.kvo")));
    EXPECT_EQ(QDir::currentPath(), QDir(dir.path()).canonicalPath());
    if (QFile::exists(dir.filePath("bridge.kvp"))) {
        EXPECT_EQ(plot, dir.filePath("bridge.kvp"));
    }
    EXPECT_EQ(CPoint(), ",");
}

TEST(GridSnap, WholeColumnsAndRows) {
    // row numbers 40 wide, then 100, 120, 80; header 30, rows 20, scroll bars 15, frame 1
    const TGridMetrics grid{{40, 100, 120, 80}, 30, 20, 12, 15, 1};
    struct Case {
        TGridSize requested, snapped;
        const char* why;
    };
    const Case cases[] = {
        {{400, 400}, {342, 272}, "everything fits: the grid hugs it"},
        {{300, 400}, {262, 30 + 12 * 20 + 15 + 2}, "a column cut off: whole ones and a bar"},
        {{400, 150}, {340 + 15 + 2, 30 + 5 * 20 + 2}, "rows cut off: five whole ones and a bar"},
        {{50, 10}, {140 + 15 + 2, 30 + 20 + 15 + 2}, "never below two columns and one row"},
    };
    for (const Case& c : cases) {
        const TGridSize s = SnapGridSize(grid, c.requested);
        EXPECT_EQ(s.Width, c.snapped.Width) << c.why;
        EXPECT_EQ(s.Height, c.snapped.Height) << c.why;
    }
}

std::vector<std::uint8_t> ReadFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(JpegImage, DecodesTheIllustration) {
    const auto bytes = ReadFile(KORVEN_SOURCE_DIR "/frontend/resources/belled-shaft.jpg");
    ASSERT_FALSE(bytes.empty());
    TRgbImage image;
    std::string error;
    ASSERT_TRUE(DecodeJpeg(bytes.data(), bytes.size(), image, error)) << error;
    EXPECT_EQ(image.Width, 300);
    EXPECT_EQ(image.Height, 400);
    ASSERT_EQ(image.Pixels.size(), 300u * 400u * 3u);
    EXPECT_GT(image.Pixels[0], 240);  // white paper in the corner
}

TEST(JpegImage, DamagedDataFailsWithAMessage) {
    const auto bytes = ReadFile(KORVEN_SOURCE_DIR "/frontend/resources/belled-shaft.jpg");
    ASSERT_GT(bytes.size(), 2000u);
    std::vector<std::vector<std::uint8_t>> damaged;
    damaged.emplace_back(bytes.begin(), bytes.begin() + 1000);  // cut short
    damaged.emplace_back(bytes.begin(), bytes.begin() + 2);     // the marker alone
    damaged.push_back({'n', 'o', 't', ' ', 'j', 'p', 'e', 'g'});
    auto scrambled = bytes;
    for (std::size_t i = 20; i < 400; i += 3) scrambled[i] ^= 0x5A;  // the header tables
    damaged.push_back(scrambled);
    for (const auto& d : damaged) {
        TRgbImage image;
        std::string error;
        EXPECT_FALSE(DecodeJpeg(d.data(), d.size(), image, error)) << d.size();
        EXPECT_FALSE(error.empty());
        EXPECT_TRUE(image.Pixels.empty());
    }
    TRgbImage image;
    std::string error;
    EXPECT_FALSE(DecodeJpeg(nullptr, 0, image, error));
}

}  // namespace
}  // namespace korven
