// The desktop program never changes, overwrites or mixes up a project behind the user's back:
// the elevation view only reads, a picture never replaces a project, results go with their
// project, a refused entry stops the command, a damaged file is not written over, and a failed
// save offers another name. And the report can be read without a text editor. Headless, with
// the graph windows installed as the program does.
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFontInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

#include "entry/DataDialogs.h"
#include "entry/DataEdit.h"
#include "entry/Resources.h"
#include "entry/TableForm.h"
#include "graphs/GraphWindows.h"
#include "graphs/PlotForm.h"
#include "graphs/PlotLoad.h"
#include "project/MainForm.h"
#include "project/MainRules.h"
#include "project/Messages.h"
#include "project/ProgramData.h"
#include "project/ProjectHolder.h"
#include "project/RunCommand.h"
#include "project/TextViewer.h"

using namespace korven;

namespace {

// Reads every message box and answers it from a queue (OK, or Cancel for a question).
struct TRecorder final : TMessageSink {
    QStringList Texts;
    QList<TMsgAnswer> Answers;
    TMsgAnswer Show(QWidget*, TMsgKind, const QString& text, TMsgButtons buttons) override {
        Texts << text;
        if (!Answers.isEmpty()) return Answers.takeFirst();
        return buttons == TMsgButtons::YesNoCancel ? TMsgAnswer::Cancel : TMsgAnswer::Ok;
    }
};

struct TAsker final : TFileAsker {
    QString Save;
    QStringList Titles, Proposed;
    QString OpenFile(QWidget*, const QString& title, const QString&, const QStringList&,
                     int&) override {
        Titles << title;
        return {};
    }
    QString SaveFile(QWidget*, const QString& title, const QString& current,
                     const QStringList&) override {
        Titles << title;
        Proposed << current;
        return Save;
    }
};

QByteArray Contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

class DataSafetyTest : public QObject {
    Q_OBJECT

    QTemporaryDir FHome;
    std::unique_ptr<QTemporaryDir> FWork;
    TRecorder FMessages;
    TAsker FFiles;
    std::unique_ptr<TMainForm> FForm;

    QAction* Action(const char* name) { return FForm->findChild<QAction*>(QLatin1String(name)); }
    QString Work(const QString& name) { return FWork->filePath(name); }
    QString CopyExample(const char* example, const QString& as) {
        const QString target = Work(as);
        QFile::copy(QStringLiteral(KORVEN_SOURCE_DIR "/examples/") + QLatin1String(example),
                    target);
        return target;
    }
    /// The bridge example opened with plot data beside it: results loaded.
    QString OpenWithResults(const QString& as) {
        const QString project = CopyExample("bridge-clay-design-load.kvd", as + ".kvd");
        QFile::copy(KORVEN_SOURCE_DIR "/tests/frontend/data/clay-three-diameters.kvp",
                    Work(as + ".kvp"));
        FForm->OpenProject(project, true);
        return project;
    }
    template <class D>
    D* Dialog() {
        QMdiSubWindow* w = FForm->MdiArea()->activeSubWindow();
        return w ? qobject_cast<D*>(w->widget()) : nullptr;
    }

private slots:
    void initTestCase() {
        QVERIFY(FHome.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, FHome.path());
        InitResources();
        QLocale::setDefault(QLocale::c());
        SetMessageSink(&FMessages);
        SetFileAsker(&FFiles);
    }
    void init() {
        FWork = std::make_unique<QTemporaryDir>();
        QVERIFY(FWork->isValid());
        QDir::setCurrent(FWork->path());
        FMessages = TRecorder{};
        FFiles    = TAsker{};
        FForm     = std::make_unique<TMainForm>();
        InstallGraphWindows(*FForm);
        FForm->show();
        FForm->StartUp({});
        QVERIFY(QTest::qWaitForWindowExposed(FForm.get()));
    }
    void cleanup() {
        FMessages.Answers = {TMsgAnswer::No, TMsgAnswer::No};
        FForm.reset();
        SetFileAsker(&FFiles);
        QDir::setCurrent(QDir::tempPath());
        FWork.reset();
    }

    // Drawing a design-load project to the depth of its profile leaves it a design-load
    // project: not marked, saved as it was entered, and analysed for its load.
    void elevationViewLeavesTheProjectAlone() {
        const QString project = CopyExample("bridge-clay-design-load.kvd", "bridge.kvd");
        FForm->OpenProject(project, true);
        Action("ToolProfile")->trigger();
        QVERIFY(FForm->MdiArea()->activeSubWindow());
        QVERIFY(!FForm->IsModified());
        QCOMPARE(static_cast<double>(FForm->Project().DesignLength), 0.0);

        FForm->SetLibraryPath(QStringLiteral(KORVEN_BIN_DIR "/Korven2012_DLL.so"));
        Action("ToolRun")->trigger();
        QCOMPARE(FMessages.Texts.value(0), QLatin1String(TRunCommand::kCompleted));
        TProgramData saved;
        QVERIFY(saved.LoadFromFile(project.toStdString()).Ok);
        QCOMPARE(saved.DesignControl, 1);
        QCOMPARE(static_cast<double>(saved.DesignLoad), 350.0);
        QCOMPARE(static_cast<double>(saved.DesignLength), 0.0);
        const QByteArray report = Contents(Work("bridge.kvo"));
        QVERIFY(report.contains("TOTAL LOAD =     350.0 TONS"));
        QVERIFY(!report.contains("PROPOSED DEPTH"));
    }

    // The picture dialog itself: a name typed without an extension takes the chosen filter's,
    // and the dialog starts in the folder it is given.
    void pictureDialogTakesTheFilterExtension_data() {
        QTest::addColumn<int>("filter");
        QTest::addColumn<QString>("expected");
        QTest::newRow("bitmap") << 0 << "skin-graph.bmp";
        QTest::newRow("png") << 1 << "skin-graph.png";
    }
    void pictureDialogTakesTheFilterExtension() {
        QFETCH(int, filter);
        QFETCH(QString, expected);
        const QStringList filters = {QStringLiteral("Bitmap (*.bmp)"),
                                     QStringLiteral("PNG image (*.png)")};
        SetFileAsker(nullptr);  // the real dialog
        QString folderShown;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            folderShown = dialog->directory().absolutePath();
            dialog->selectNameFilter(filters[filter]);
            emit dialog->filterSelected(filters[filter]);
            dialog->findChild<QLineEdit*>()->setText(QStringLiteral("skin-graph"));
            QMetaObject::invokeMethod(dialog, "accept");
        });
        const QString chosen =
            AskSaveFileName(nullptr, QStringLiteral("Save To Disk"), FWork->path() + '/', filters);
        QCOMPARE(folderShown, QDir(FWork->path()).absolutePath());
        QCOMPARE(chosen, Work(expected));
    }

    // Whatever name comes back from the dialog, a picture is not written over a project.
    void pictureNeverReplacesAProject() {
        const QString project   = OpenWithResults("bridge");
        const QByteArray before = Contents(project);
        Action("ToolCombined")->trigger();
        TPlotForm* window = GraphWindow(FForm->Graphs().pltCombine);
        QVERIFY(window);
        // a refusal that failed would go on to the modal attributes dialog: count and close it
        int modal = 0;
        QTimer closer;
        connect(&closer, &QTimer::timeout, this, [&modal] {
            if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                ++modal;
                d->reject();
            }
        });
        closer.start(20);
        for (const QString& name : {project, Work("BRIDGE.KVD")}) {
            FMessages.Texts.clear();
            FFiles.Save = name;
            window->PlotSaveClick();
            QCOMPARE(FMessages.Texts.size(), 1);
            QVERIFY2(FMessages.Texts[0].contains(".kvd"), qPrintable(FMessages.Texts[0]));
            window->PlotPdfClick();
            QCOMPARE(FMessages.Texts.size(), 2);
        }
        QCOMPARE(modal, 0);
        QCOMPARE(Contents(project), before);
        QVERIFY(!QFile::exists(Work("BRIDGE.KVD")));
        // the dialog was sent to the project's folder
        QCOMPARE(FFiles.Proposed.value(0), FWork->path() + QLatin1Char('/'));
    }

    // New and a failed run take the old results away from every way of opening a graph.
    void newAndFailedRunClearOldResults() {
        OpenWithResults("bridge");
        QVERIFY(FForm->ResultsLoaded);
        QVERIFY(Action("ToolCombined")->isEnabled());
        Action("ToolSettle")->trigger();
        QVERIFY(GraphWindow(FForm->Graphs().pltAxial));

        FForm->SetLibraryPath(Work("no-engine.so"));
        Action("ToolRun")->trigger();
        QCOMPARE(FMessages.Texts, QStringList{QLatin1String(TRunCommand::kInitFailed)});
        QVERIFY(!FForm->ResultsLoaded);
        QTest::qWait(10);
        QVERIFY(!GraphWindow(FForm->Graphs().pltAxial));  // it showed what no longer holds
        for (const char* name : {"ToolCombined", "ToolSettle", "pltSkin", "pltCombinedSettle"})
            QVERIFY2(!Action(name)->isEnabled(), name);

        OpenWithResults("second");
        QVERIFY(Action("ToolSettle")->isEnabled());
        Action("FileNew")->trigger();
        QVERIFY(!Action("ToolCombined")->isEnabled());
        QVERIFY(!Action("ToolSettle")->isEnabled());
        // a click that reaches the command anyway opens nothing
        Action("ToolCombined")->setEnabled(true);
        Action("ToolCombined")->trigger();
        QVERIFY(!GraphWindow(FForm->Graphs().pltCombine));
        for (TGraphPlot* g : FForm->Graphs().All()) QCOMPARE(g->LineCount(), 0);
    }

    // A command refused because an entry is wrong says so once, gives the field back, and does
    // nothing else; a menu refused the same way does not stay open.
    void invalidEntryStopsTheCommand_data() {
        QTest::addColumn<QString>("command");
        QTest::newRow("toolbar run") << "ToolRun";
        QTest::newRow("menu run") << "CompRun";
        QTest::newRow("toolbar save") << "ToolSave";
        QTest::newRow("new") << "FileNew";
    }
    void invalidEntryStopsTheCommand() {
        QFETCH(QString, command);
        const QString project = CopyExample("bridge-clay-design-load.kvd", "bridge.kvd");
        FForm->OpenProject(project, true);
        const QByteArray before = Contents(project);
        FForm->SetLibraryPath(QStringLiteral(KORVEN_STAND_IN_ENGINE));
        Action("DataShaft")->trigger();
        auto* dialog = Dialog<TfrmShaftpeneta>();
        QVERIFY(dialog);
        QVERIFY(QTest::qWaitForWindowActive(FForm.get()));
        dialog->DataEdit1->setFocus();
        dialog->DataEdit1->setText(QStringLiteral("xyz"));

        Action(command.toLatin1().constData())->trigger();
        QCOMPARE(FMessages.Texts.size(), 1);
        QVERIFY2(FMessages.Texts[0].startsWith("Entry could not be evaluated"),
                 qPrintable(FMessages.Texts[0]));
        QCOMPARE(dialog->focusWidget(), dialog->DataEdit1);
        QCOMPARE(Contents(project), before);  // neither saved nor run
        QVERIFY(!QFile::exists(Work("bridge.kvo")));
        QCOMPARE(FForm->ProjectFileName(), project);
        QCOMPARE(static_cast<double>(FForm->Project().MinDiameter), 3.0);

        // reaching the menu bar from the keyboard is not leaving the field: no message yet
        FMessages.Texts.clear();
        QCOMPARE(QApplication::focusWidget(), dialog->DataEdit1);
        FForm->menuBar()->setFocus(Qt::MenuBarFocusReason);
        QCOMPARE(FMessages.Texts, QStringList());
        dialog->DataEdit1->setFocus();

        FMessages.Texts.clear();
        auto* menu = FForm->findChild<QMenu*>(QStringLiteral("CompMenu"));
        menu->popup(FForm->mapToGlobal(QPoint(20, 20)));
        QTest::qWait(20);
        QCOMPARE(FMessages.Texts.size(), 1);
        QVERIFY(!menu->isVisible());
    }

    // A damaged file keeps what was read, but as an untitled project: Save asks for a name and
    // the original stays as it was; the zero diameter read is named before the engine runs.
    void damagedFileOpensUntitled() {
        const QString full = CopyExample("bridge-clay-design-load.kvd", "full.kvd");
        QByteArray text    = Contents(full);
        text.truncate(text.indexOf("3 4 0"));  // ends before the shaft line
        const QString damaged = Work("damaged.kvd");
        {
            QFile f(damaged);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(text);
        }
        FForm->OpenProject(damaged, true);
        QCOMPARE(FMessages.Texts, QStringList{"This file either invalid or incomplete."});
        QCOMPARE(QString::fromStdString(FForm->Project().Title),
                 QStringLiteral("Bridge pier shaft, stiff clay over dense sand (design load)"));
        QVERIFY(IsUntitled(FForm->ProjectFileName()));
        QCOMPARE(FForm->windowTitle(), QStringLiteral("KORVEN 2012.7.2 - NewKorven"));

        FForm->FileSaveClick();  // Save As, cancelled
        QCOMPARE(FFiles.Titles, QStringList{"Save NewKorven As"});
        QCOMPARE(Contents(damaged), text);

        FMessages.Texts.clear();
        FFiles.Save = Work("repaired.kvd");
        FForm->SetLibraryPath(QStringLiteral(KORVEN_STAND_IN_ENGINE));
        Action("CompRun")->trigger();
        QCOMPARE(FMessages.Texts.size(), 1);
        QVERIFY2(FMessages.Texts[0].contains("minimum shaft diameter"),
                 qPrintable(FMessages.Texts[0]));
        QVERIFY(!QFile::exists(Work("repaired.kvo")));  // the engine was not called
        QVERIFY(!QFile::exists(Work("names.dat")));
        QCOMPARE(Contents(damaged), text);
    }

    // A folder that cannot be written to: the reason once, and another name offered.
    void failedSaveOffersSaveAs() {
        const QString project = CopyExample("bridge-clay-design-load.kvd", "bridge.kvd");
        FForm->OpenProject(project, true);
        FForm->Holder().SetFileName(Work("gone/bridge.kvd"));  // a folder that is not there
        FMessages.Answers = {TMsgAnswer::No};
        QVERIFY(!FForm->FileSaveClick());
        QCOMPARE(FMessages.Texts.size(), 1);
        QCOMPARE(FMessages.Texts[0].count("could not be saved"), 1);
        QVERIFY(FMessages.Texts[0].contains(Work("gone/bridge.kvd")));
        QVERIFY(FFiles.Titles.isEmpty());

        FMessages.Texts.clear();
        FMessages.Answers = {TMsgAnswer::Yes};
        FFiles.Save       = Work("elsewhere.kvd");
        QVERIFY(FForm->FileSaveClick());
        QCOMPARE(FMessages.Texts.size(), 1);
        QCOMPARE(FFiles.Titles, QStringList{"Save Bridge As"});
        QVERIFY(QFile::exists(Work("elsewhere.kvd")));
        QCOMPARE(FForm->ProjectFileName(), Work("elsewhere.kvd"));
        QVERIFY(!FForm->IsModified());

        // "Yes, save" before New, and the save fails: the project stays
        FForm->Holder().SetFileName(Work("gone/bridge.kvd"));
        FForm->Project().Title    = "Pier 7";
        FForm->Project().Modified = true;
        FMessages.Answers         = {TMsgAnswer::Yes, TMsgAnswer::No};
        Action("FileNew")->trigger();
        QCOMPARE(QString::fromStdString(FForm->Project().Title), QStringLiteral("Pier 7"));
        QVERIFY(FForm->IsModified());
    }

    // No text editor set and no desktop opener installed: the report and the runtime file open
    // read-only in the program's own viewer, which finds and prints.
    void reportOpensInTheBuiltInViewer() {
        const QString project = CopyExample("bridge-clay-design-load.kvd", "bridge.kvd");
        FForm->OpenProject(project, true);
        const QByteArray report = "  TOTAL LOAD =     350.0 TONS\n  DIAMETER = 3.0 FT\n";
        for (const char* name : {"bridge.kvo", "bridge.kvr"}) {
            QFile f(Work(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(report);
        }
        FForm->TextEditor       = QString();
        const QByteArray search = qgetenv("PATH");
        qputenv("PATH", FWork->path().toLocal8Bit());  // no opener there
        Action("ToolOutput")->trigger();
        Action("EditRuntime")->trigger();
        Action("ToolOutput")->trigger();  // the open window comes back
        qputenv("PATH", search);
        QCOMPARE(FMessages.Texts, QStringList());
        int viewers = 0;
        for (QMdiSubWindow* w : FForm->MdiArea()->subWindowList())
            viewers += qobject_cast<TTextViewer*>(w->widget()) ? 1 : 0;
        QCOMPARE(viewers, 2);

        auto* viewer = Dialog<TTextViewer>();
        QVERIFY(viewer);
        QCOMPARE(viewer->windowTitle(), QStringLiteral("bridge.kvo"));
        QVERIFY(viewer->Text()->isReadOnly());
        QCOMPARE(viewer->Text()->toPlainText(), QString::fromLatin1(report));
        QVERIFY(QFontInfo(viewer->Text()->font()).fixedPitch());
        QVERIFY(viewer->Find(QStringLiteral("FT")));
        QCOMPARE(viewer->Text()->textCursor().selectedText(), QStringLiteral("FT"));
        QVERIFY(viewer->Find(QStringLiteral("TONS")));  // from the top again
        QVERIFY(!viewer->Find(QStringLiteral("PROPOSED")));
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(Work("report.pdf"));
        QVERIFY(viewer->PrintTo(printer));
        QVERIFY(QFileInfo(Work("report.pdf")).size() > 0);

        // a file that is not there is said so, with no empty window
        QVERIFY(!FForm->ShowTextViewer(Work("missing.kvo")));
        QCOMPARE(FMessages.Texts.size(), 1);
    }

    // Two dialogs opened one after the other do not cover each other, and every column of the
    // soil table is wide enough for its caption drawn in bold (the current column's header).
    void windowsCascadeAndHeadersFit() {
        Action("DataTitle")->trigger();
        Action("DataWater")->trigger();
        const QList<QMdiSubWindow*> list = FForm->MdiArea()->subWindowList();
        QCOMPARE(list.size(), 2);
        QVERIFY(list[1]->pos().x() > list[0]->pos().x());
        QVERIFY(list[1]->pos().y() > list[0]->pos().y());

        Action("DataSoil")->trigger();
        TTableForm* window = TTableForm::WindowOf(FForm->Holder().Tables.SoilLayers());
        QVERIFY(window);
        QTableWidget* grid = window->Grid();
        QFont bold         = grid->horizontalHeader()->font();
        bold.setBold(true);
        const QFontMetrics metrics(bold);
        for (int c = 1; c < grid->columnCount(); ++c) {
            const QString caption = grid->horizontalHeaderItem(c)->text();
            for (const QString& line : caption.split('\n'))
                QVERIFY2(metrics.horizontalAdvance(line) < grid->columnWidth(c), qPrintable(line));
        }
    }
};

QTEST_MAIN(DataSafetyTest)
#include "DataSafetyTest.moc"
