// The main window: menus, toolbar, project lifecycle, recent files and the run command.
#include "MainForm.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QPixmap>
#include <QProcess>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

#include "project/ChildForm.h"
#include "project/Messages.h"
#include "project/ProjectHolder.h"
#include "project/RunCommand.h"
#include "project/RunSupport.h"
#include "project/Settings.h"

namespace korven {
namespace {

// clang-format off
constexpr std::array<const char*, 12> kGraphNames = {
    "pltSkin", "pltTip", "pltTotal", "FSpltSkin", "FSpltTip", "FSpltTotal",
    "pltCombine", "pltCombineD", "pltAxial", "pltUpper", "pltLower", "pltCombinedSettle"};
constexpr std::array<const char*, 12> kGraphCaptions = {
    "Ultimate &Skin Friction vs Depth",  "Ultimate &Tip Resistance vs Depth",
    "Ultimate Total &Capacity vs Depth", "ASD/LRFD Skin Friction vs Depth ",
    "ASD/LRFD Tip Resistance vs Depth ", "ASD/LRFD Total Capacity vs Depth",
    "C&ombined Plots vs Depth (ultimate)", "Combined Plots vs Depth (ASD/LRFD)",
    "Axial Load vs Settlement (averaged)", "Axial Load vs Settlement (upper bound)",
    "Axial Load vs Settlement (lower bound)", "Combined Plots of Load vs Settlement"};
// clang-format on
constexpr int kGraphCombine = 6;
constexpr int kGraphAxial   = 8;
constexpr int kGraphUpper   = 9;  // the upper, lower and combined settlement graphs need bounds

QString ExecutableDir() { return QCoreApplication::applicationDirPath(); }

QString EscapeAmpersands(QString text) {
    return text.replace(QLatin1Char('&'), QLatin1String("&&"));
}

}  // namespace

const std::array<const char*, 12>& TMainForm::GraphNames() { return kGraphNames; }

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("MainForm"));
    setAcceptDrops(true);
    FMdi = new QMdiArea(this);
    FMdi->setObjectName(QStringLiteral("MdiArea"));
    setCentralWidget(FMdi);
    connect(FMdi, &QMdiArea::subWindowActivated, this, &TMainForm::SubWindowActivated);
    FHolder = std::make_unique<TProjectHolder>(*this);
    FRun    = std::make_unique<TRunCommand>(EngineLibraryPath(ExecutableDir()));
    CreateMenus();
    CreateToolBar();
    statusBar();
    TextEditor = TSettingsStore::ReadEditorAtCreate();
    resize(1000, 720);
    UpdateCaption();
}

TMainForm::~TMainForm() {
    // the children edit the project held here: they go first
    disconnect(FMdi, nullptr, this, nullptr);
    for (QMdiSubWindow* w : FMdi->subWindowList()) delete w;
}

QString TMainForm::ProjectFileName() const { return FHolder->FileName(); }
bool TMainForm::IsModified() const { return FHolder->Project.IsModified(); }
TProgramData& TMainForm::Project() const { return FHolder->Project; }
TResultGraphs& TMainForm::Graphs() const { return FHolder->Graphs; }

void TMainForm::SetLibraryPath(const QString& path) { FRun->SetLibraryPath(path); }

QAction* TMainForm::AddAction(QMenu* menu, const char* name, const QString& text,
                              const std::function<void()>& onTriggered, const QKeySequence& keys) {
    auto* a = new QAction(text, this);
    a->setObjectName(QLatin1String(name));
    if (!keys.isEmpty()) a->setShortcut(keys);
    connect(a, &QAction::triggered, this, [onTriggered] { onTriggered(); });
    if (menu) menu->addAction(a);
    return a;
}

void TMainForm::CreateMenus() {
    QMenuBar* bar = menuBar();

    FFileMenu = bar->addMenu(QStringLiteral("&File"));
    FFileMenu->setObjectName(QStringLiteral("FileMenu"));
    AddAction(
        FFileMenu, "FileNew", QStringLiteral("&New"), [this] { FileNewClick(); },
        QKeySequence(Qt::CTRL | Qt::Key_N));
    AddAction(
        FFileMenu, "FileOpen", QStringLiteral("&Open..."), [this] { FileOpenClick(); },
        QKeySequence(Qt::CTRL | Qt::Key_O));
    AddAction(
        FFileMenu, "FileSave", QStringLiteral("&Save"), [this] { FileSaveClick(); },
        QKeySequence(Qt::CTRL | Qt::Key_S));
    AddAction(FFileMenu, "FileSaveAs", QStringLiteral("Save &As..."),
              [this] { FileSaveAsClick(); });
    FFileMenu->addSeparator();
    for (int i = 0; i < TRecentFiles::kSize; ++i) {
        const QByteArray name = "Recent" + QByteArray::number(i + 1);
        FRecentItems[static_cast<std::size_t>(i)] =
            AddAction(FFileMenu, name.constData(), QString(), [this, i] { RecentFileClick(i); });
        FRecentItems[static_cast<std::size_t>(i)]->setVisible(false);
    }
    FRecentSeparator = FFileMenu->addSeparator();
    FRecentSeparator->setVisible(false);
    AddAction(FFileMenu, "FileExit", QStringLiteral("E&xit"), [this] { close(); });
    connect(FFileMenu, &QMenu::aboutToShow, this, [this] {
        ActiveChildStoreEdits();
        UpdateRecentMenu();
    });

    FDataMenu = bar->addMenu(QStringLiteral("Da&ta"));
    FDataMenu->setObjectName(QStringLiteral("DataMenu"));
    AddAction(FDataMenu, "DataTitle", QStringLiteral("&Title"), [this] { FHolder->ShowTitle(); });
    QMenu* units = FDataMenu->addMenu(QStringLiteral("&Units"));
    AddAction(units, "UnitsEnglish", QStringLiteral("&English Units (lbs, in)"), [this] {
        SetUnits(1);
    })->setCheckable(true);
    AddAction(units, "UnitsSI", QStringLiteral("&SI Units (kN, m)"), [this] {
        SetUnits(2);
    })->setCheckable(true);
    QMenu* method = FDataMenu->addMenu(QStringLiteral("Design Method (ASD or LRFD)"));
    AddAction(method, "MethodASD", QStringLiteral("ASD (Allowable Stress Design)"), [this] {
        SetDesignMethod(2);
    })->setCheckable(true);
    AddAction(method, "MethodLRFD", QStringLiteral("LRFD (Load Resistance Factor Design)"), [this] {
        SetDesignMethod(1);
    })->setCheckable(true);
    AddAction(FDataMenu, "DataShaft", QStringLiteral("&Drilled-Shaft Properties"),
              [this] { FHolder->ShowShaft(); });
    AddAction(FDataMenu, "DataSoil", QStringLiteral("Soil &Layer Data"),
              [this] { FHolder->ShowSoilTable(); });
    AddAction(FDataMenu, "DataSafety",
              QStringLiteral("&Factor of Safety (Allowable Stress Design)"),
              [this] { FHolder->ShowSafety(); });
    QMenu* control = FDataMenu->addMenu(QStringLiteral("&Computation Methods"));
    AddAction(control, "ControlLength", QStringLiteral("Specify the shaft length"),
              [this] { SetDesignControl(2); });
    AddAction(control, "ControlLoad", QStringLiteral("Specify the design load"),
              [this] { SetDesignControl(1); });
    AddAction(FDataMenu, "DataWater", QStringLiteral("&Water Table"),
              [this] { FHolder->ShowWater(); });
    AddAction(FDataMenu, "DataOptions", QStringLiteral("Control &Options..."),
              [this] { FHolder->ShowOptions(); });
    connect(FDataMenu, &QMenu::aboutToShow, this, [this] {
        ActiveChildStoreEdits();
        UpdateDataMenu();
    });

    FCompMenu = bar->addMenu(QStringLiteral("&Computation"));
    FCompMenu->setObjectName(QStringLiteral("CompMenu"));
    AddAction(FCompMenu, "CompRun", QStringLiteral("&Run Analysis"), [this] { CompRunClick(); });
    AddAction(FCompMenu, "EditInput", QStringLiteral("Edit I&nput Text"),
              [this] { EditTextFile(ProjectFileName()); });
    AddAction(FCompMenu, "EditRuntime", QStringLiteral("Edit &Processor-Run Notes"),
              [this] { EditTextFile(WithExtension(ProjectFileName(), ".kvr")); });
    AddAction(FCompMenu, "EditOutput", QStringLiteral("Edit &Output Text"),
              [this] { EditTextFile(WithExtension(ProjectFileName(), ".kvo")); });
    AddAction(FCompMenu, "ViewElevation", QStringLiteral("&View Shaft Elevation"), [this] {
        if (OnShowSideView) OnShowSideView(*this);
    });
    connect(FCompMenu, &QMenu::aboutToShow, this, [this] {
        ActiveChildStoreEdits();
        UpdateComputationMenu();
    });

    FGraphMenu = bar->addMenu(QStringLiteral("&Graphics"));
    FGraphMenu->setObjectName(QStringLiteral("GraphMenu"));
    for (std::size_t i = 0; i < kGraphNames.size(); ++i)
        FGraphItems[i] = AddAction(FGraphMenu, kGraphNames[i], QLatin1String(kGraphCaptions[i]),
                                   [this, i] { ShowGraph(static_cast<int>(i)); });
    connect(FGraphMenu, &QMenu::aboutToShow, this, &TMainForm::UpdateGraphicsMenu);

    FWindowMenu = bar->addMenu(QStringLiteral("&Window"));
    FWindowMenu->setObjectName(QStringLiteral("WindowMenu"));
    AddAction(FWindowMenu, "WindowCascade", QStringLiteral("&Cascade"),
              [this] { FMdi->cascadeSubWindows(); });
    AddAction(FWindowMenu, "WindowArrange", QStringLiteral("&Arrange Icons"),
              [this] { ArrangeIcons(); });
    FWindowMenu->addSeparator();
    for (std::size_t i = 0; i < FWindowItems.size(); ++i) {
        const QByteArray name = "WindowItem" + QByteArray::number(static_cast<int>(i) + 1);
        FWindowItems[i]       = AddAction(FWindowMenu, name.constData(), QString(), [this, i] {
            const QList<QMdiSubWindow*> list = FMdi->subWindowList();
            if (i < static_cast<std::size_t>(list.size())) {
                QMdiSubWindow* w = list[static_cast<qsizetype>(i)];
                w->showNormal();
                FMdi->setActiveSubWindow(w);
            }
        });
        FWindowItems[i]->setCheckable(true);
        FWindowItems[i]->setVisible(false);
    }
    connect(FWindowMenu, &QMenu::aboutToShow, this, &TMainForm::UpdateWindowMenu);

    FHelpMenu = bar->addMenu(QStringLiteral("&Help"));
    FHelpMenu->setObjectName(QStringLiteral("HelpMenu"));
    AddAction(FHelpMenu, "HelpContents", QStringLiteral("&Contents"),
              [this] { OpenBesideExecutable(QStringLiteral("guide/index.html")); });
    AddAction(FHelpMenu, "HelpManual", QStringLiteral("&User's Manual"),
              [this] { OpenBesideExecutable(QStringLiteral("guide/korven-guide.pdf")); });
    AddAction(FHelpMenu, "HelpAbout", QStringLiteral("&About..."),
              [this] { FHolder->ShowAbout(); });
    connect(FHelpMenu, &QMenu::aboutToShow, this, [this] { ActiveChildStoreEdits(); });
}

void TMainForm::CreateToolBar() {
    FToolBar = addToolBar(QStringLiteral("Tools"));
    FToolBar->setObjectName(QStringLiteral("ToolBar"));
    FToolBar->setMovable(false);
    QStyle* s = style();
    struct TButton {
        const char* Name;
        const char* Hint;
        QIcon Icon;
        std::function<void()> Click;
        bool StoresEdits;
    };
    const TButton buttons[] = {
        {"ToolNew", "New File", s->standardIcon(QStyle::SP_FileIcon), [this] { FileNewClick(); },
         true},
        {"ToolOpen", "Open File", s->standardIcon(QStyle::SP_DialogOpenButton),
         [this] { FileOpenClick(); }, true},
        {"ToolSave", "Save File", s->standardIcon(QStyle::SP_DialogSaveButton),
         [this] { FileSaveClick(); }, true},
        {"ToolRun", "Run Data File", s->standardIcon(QStyle::SP_MediaPlay),
         [this] { CompRunClick(); }, true},
        {"ToolSoil", "Soil layer Data", s->standardIcon(QStyle::SP_FileDialogDetailedView),
         [this] { FHolder->ShowSoilTable(); }, false},
        {"ToolOutput", "View Output", s->standardIcon(QStyle::SP_FileDialogContentsView),
         [this] { EditTextFile(WithExtension(ProjectFileName(), ".kvo")); }, false},
        {"ToolProfile", "View Soil Profile", s->standardIcon(QStyle::SP_ArrowDown),
         [this] {
             if (OnShowSideView) OnShowSideView(*this);
         },
         false},
        {"ToolCombined", "Combined Plot", s->standardIcon(QStyle::SP_FileDialogListView),
         [this] { ShowGraph(kGraphCombine); }, false},
        {"ToolSettle", "Load vs. Settlement", s->standardIcon(QStyle::SP_ArrowRight),
         [this] { ShowGraph(kGraphAxial); }, false},
    };
    for (const TButton& b : buttons) {
        auto* a = new QAction(b.Icon, QLatin1String(b.Hint), this);
        a->setObjectName(QLatin1String(b.Name));
        a->setToolTip(QLatin1String(b.Hint));
        a->setStatusTip(QLatin1String(b.Hint));
        const std::function<void()> click = b.Click;
        if (b.StoresEdits)
            connect(a, &QAction::triggered, this, [this, click] {
                ActiveChildStoreEdits();
                click();
            });
        else
            connect(a, &QAction::triggered, this, [click] { click(); });
        FToolBar->addAction(a);
    }
}

void TMainForm::StartUp(const QStringList& arguments) {
    TSettingsStore::ReadAtShow(TextEditor, RecentFiles);
    if (!arguments.isEmpty()) {
        const QString name = QFileInfo(CommandLineProject(arguments.first())).absoluteFilePath();
        if (QFileInfo::exists(name)) {
            OpenProject(name, true);
            return;
        }
    }
    FHolder->NewProject();
    UpdateCaption();
    UpdateLrfdColumns();
}

void TMainForm::UpdateCaption() { setWindowTitle(MainCaption(ProjectFileName())); }

void TMainForm::UpdateLrfdColumns() { FHolder->ShowLrfdColumns(FHolder->DesignMethod() == 1); }

void TMainForm::UpdateRecentMenu() {
    const QString here = QDir::currentPath();
    for (int i = 0; i < TRecentFiles::kSize; ++i) {
        QAction* a = FRecentItems[static_cast<std::size_t>(i)];
        a->setVisible(!RecentFiles[i].isEmpty());
        a->setText(EscapeAmpersands(RecentFiles.MenuText(i, here)));
    }
    FRecentSeparator->setVisible(RecentFiles.Count() > 0);
}

void TMainForm::UpdateDataMenu() {
    const int units  = FHolder->Units();
    const int method = FHolder->DesignMethod();
    findChild<QAction*>(QStringLiteral("UnitsEnglish"))->setChecked(units == 1);
    findChild<QAction*>(QStringLiteral("UnitsSI"))->setChecked(units == 2);
    findChild<QAction*>(QStringLiteral("MethodASD"))->setChecked(method == 2);
    findChild<QAction*>(QStringLiteral("MethodLRFD"))->setChecked(method == 1);
    findChild<QAction*>(QStringLiteral("DataSafety"))->setEnabled(method == 2);
}

void TMainForm::UpdateComputationMenu() {
    const QString project = ProjectFileName();
    findChild<QAction*>(QStringLiteral("EditInput"))->setEnabled(QFileInfo::exists(project));
    findChild<QAction*>(QStringLiteral("EditRuntime"))
        ->setEnabled(QFileInfo::exists(WithExtension(project, ".kvr")));
    findChild<QAction*>(QStringLiteral("EditOutput"))
        ->setEnabled(QFileInfo::exists(WithExtension(project, ".kvo")));
}

void TMainForm::UpdateGraphicsMenu() {
    const bool loaded =
        ResultsLoaded && QFileInfo::exists(WithExtension(ProjectFileName(), ".kvp"));
    const bool bounds = FHolder->SettlementAvailable() != 0;
    for (std::size_t i = 0; i < FGraphItems.size(); ++i)
        FGraphItems[i]->setEnabled(loaded && (static_cast<int>(i) < kGraphUpper || bounds));
    findChild<QAction*>(QStringLiteral("ToolCombined"))->setEnabled(loaded);
    findChild<QAction*>(QStringLiteral("ToolSettle"))->setEnabled(loaded);
}

void TMainForm::UpdateWindowMenu() {
    const QList<QMdiSubWindow*> list = FMdi->subWindowList();
    QMdiSubWindow* active            = FMdi->activeSubWindow();
    for (std::size_t i = 0; i < FWindowItems.size(); ++i) {
        QAction* a      = FWindowItems[i];
        const bool used = i < static_cast<std::size_t>(list.size());
        a->setVisible(used);
        if (!used) continue;
        QMdiSubWindow* w = list[static_cast<qsizetype>(i)];
        a->setText(EscapeAmpersands(w->windowTitle()));
        a->setChecked(w == active);
    }
}

void TMainForm::ArrangeIcons() {
    // minimised children line up along the bottom edge, left to right
    int x = 0;
    for (QMdiSubWindow* w : FMdi->subWindowList()) {
        if (!w->isMinimized()) continue;
        w->move(x, FMdi->viewport()->height() - w->height());
        x += w->width();
    }
}

bool TMainForm::ActiveChildStoreEdits() {
    QMdiSubWindow* w = FMdi->activeSubWindow();
    if (!w) w = FLastActive;
    if (!w) return true;
    auto* child = dynamic_cast<TChildForm*>(w->widget());
    return !child || child->FormDeactivate();
}

void TMainForm::SubWindowActivated(QMdiSubWindow* window) {
    // Losing the focus to another program or to a message box reports no window: the child is
    // still the active one as far as the project is concerned.
    if (FSwitching || !window || window == FLastActive) return;
    if (QMdiSubWindow* previous = FLastActive) {
        auto* child = dynamic_cast<TChildForm*>(previous->widget());
        if (child && !child->FormDeactivate()) {
            // after the activation under way has finished, or it would win
            QTimer::singleShot(0, this, [this, back = QPointer<QMdiSubWindow>(previous)] {
                if (!back) return;
                FSwitching = true;
                FMdi->setActiveSubWindow(back);
                FSwitching = false;
            });
            return;
        }
    }
    FLastActive = window;
    if (auto* child = dynamic_cast<TChildForm*>(window->widget())) child->FormActivate();
}

QMdiSubWindow* TMainForm::ShowChild(QWidget* widget) {
    for (QMdiSubWindow* w : FMdi->subWindowList()) {
        if (w->widget() == widget) {
            w->showNormal();
            FMdi->setActiveSubWindow(w);
            return w;
        }
    }
    QMdiSubWindow* w = FMdi->addSubWindow(widget);
    w->setAttribute(Qt::WA_DeleteOnClose);
    QPixmap blank(16, 16);  // no toolkit logo in a child's title bar
    blank.fill(Qt::transparent);
    w->setWindowIcon(QIcon(blank));
    w->adjustSize();
    w->show();
    FMdi->setActiveSubWindow(w);
    return w;
}

bool TMainForm::AskToSave() {
    if (!IsModified()) return true;
    switch (ShowMessage(this, TMsgKind::Question,
                        QStringLiteral("Do you want to save any changes?"),
                        TMsgButtons::YesNoCancel)) {
        case TMsgAnswer::Cancel:
            return false;
        case TMsgAnswer::Yes:
            FileSaveClick();
            return !IsUntitled(ProjectFileName());
        default:
            return true;
    }
}

void TMainForm::FileNewClick() {
    ActiveChildStoreEdits();  // also when a shortcut, not the menu, started it
    if (!AskToSave()) return;
    FHolder->NewProject();
    ResultsLoaded = false;
    UpdateCaption();
    UpdateLrfdColumns();
}

void TMainForm::FileOpenClick() {
    ActiveChildStoreEdits();  // also when a shortcut, not the menu, started it
    if (!AskToSave()) return;
    const QStringList filters = {QStringLiteral("KORVEN 6/7(*.kvd)"),
                                 QStringLiteral("KORVEN 5.0(*.kvd)"),
                                 QStringLiteral("All Files(*.*)")};
    int filter                = 0;
    const QString name =
        AskOpenFileName(this, QStringLiteral("Open"), QDir::currentPath(), filters, filter);
    if (name.isEmpty()) return;
    OpenProject(name, filter != 1);
}

void TMainForm::RecentFileClick(int index) {
    if (index < 0 || index >= TRecentFiles::kSize || RecentFiles[index].isEmpty()) return;
    if (!AskToSave()) return;
    OpenProject(RecentFiles[index], true);
}

void TMainForm::OpenProject(const QString& fileName, bool currentFormat) {
    const QFileInfo info(fileName);
    const QString path = info.absoluteFilePath();
    FHolder->CloseChildren();
    QDir::setCurrent(info.absolutePath());
    ResultsLoaded = false;
    FHolder->LoadProject(path, currentFormat);
    UpdateCaption();
    const QString plot = WithExtension(path, ".kvp");
    if (QFileInfo::exists(plot)) ResultsLoaded = FHolder->LoadPlots(plot, false);
    AddRecent(path);
    UpdateLrfdColumns();
    UpdateGraphicsMenu();
}

void TMainForm::AddRecent(const QString& path) {
    if (RecentFiles.Add(path)) TSettingsStore::WriteRecent(RecentFiles);
    UpdateRecentMenu();
}

bool TMainForm::SaveProject() {
    QString error;
    if (!FHolder->SaveProject(error)) {
        ShowMessage(this, TMsgKind::Error,
                    QStringLiteral("The project could not be saved: ") + error);
        return false;
    }
    return true;
}

bool TMainForm::FileSaveClick() {
    ActiveChildStoreEdits();  // also when a shortcut, not the menu, started it
    if (IsUntitled(ProjectFileName())) return FileSaveAsClick();
    return SaveProject();
}

bool TMainForm::FileSaveAsClick() {
    ActiveChildStoreEdits();  // also when a shortcut, not the menu, started it
    const QString title =
        QStringLiteral("Save ") + ProjectShortName(ProjectFileName()) + QStringLiteral(" As");
    const QStringList filters = {QStringLiteral("KORVEN 6.0(*.kvd)"),
                                 QStringLiteral("All File(*.*)")};
    const QString name        = AskSaveFileName(this, title, ProjectFileName(), filters);
    if (name.isEmpty()) return false;
    FHolder->SetFileName(QFileInfo(name).absoluteFilePath());
    UpdateCaption();
    return SaveProject();
}

void TMainForm::CompRunClick() {
    ActiveChildStoreEdits();  // also when a shortcut, not the menu, started it
    if (!FileSaveClick() || IsUntitled(ProjectFileName())) return;
    TRunHooks hooks;
    hooks.Inform = [this](const QString& text) { ShowMessage(this, TMsgKind::Information, text); };
    hooks.WaitCursor = [](bool on) {
        if (on)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    };
    hooks.LoadResults = [this](const QString& plot) {
        ResultsLoaded = FHolder->LoadPlots(plot, true);
        if (OnResultsLoaded) OnResultsLoaded(*this);
    };
    FRun->Execute(ProjectFileName(), hooks);
    UpdateGraphicsMenu();
}

void TMainForm::EditTextFile(const QString& path) {
    QStringList words =
        QProcess::splitCommand(TextEditor + QStringLiteral(" \"") + path + QLatin1Char('"'));
    const QString program = words.isEmpty() ? QString() : words.takeFirst();
    if (program.isEmpty() || !QProcess::startDetached(program, words))
        ShowMessage(this, TMsgKind::Information,
                    QStringLiteral("An error occurred in running the Word Processor"));
}

void TMainForm::OpenBesideExecutable(const QString& fileName) {
    const QString path = DocumentPath(ExecutableDir(), fileName);
    if (path.isEmpty()) {
        ShowMessage(this, TMsgKind::Information,
                    QStringLiteral("The document \"%1\" is not installed.").arg(fileName));
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        ShowMessage(this, TMsgKind::Information,
                    QStringLiteral("The document \"%1\" could not be opened.").arg(path));
}

void TMainForm::ShowGraph(int index) {
    if (OnShowGraph) OnShowGraph(*this, index);
}

void TMainForm::SetUnits(int units) {
    if (units == FHolder->Units()) return;
    FHolder->SetUnits(units);
    // the numbers of the file change with the unit system: it needs saving again
    Project().Modified = true;
}

void TMainForm::SetDesignMethod(int method) {
    if (method == FHolder->DesignMethod()) return;
    FHolder->SetDesignMethod(method);
    UpdateLrfdColumns();
    UpdateDataMenu();
}

void TMainForm::SetDesignControl(int control) {
    FHolder->SetDesignControl(control);
    if (control == 2) {
        FHolder->CloseLoadDialog();
        FHolder->ShowLength();
    } else {
        FHolder->CloseLengthDialog();
        FHolder->ShowLoad();
    }
}

void TMainForm::closeEvent(QCloseEvent* event) {
    ActiveChildStoreEdits();
    if (!AskToSave()) {
        event->ignore();
        return;
    }
    TSettingsStore::Write(TextEditor, RecentFiles);
    FHolder->CloseChildren();
    event->accept();
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.first().isLocalFile()) return;
    event->acceptProposedAction();
    FilesDropped(urls);
}

void TMainForm::FilesDropped(const QList<QUrl>& urls) {
    if (urls.isEmpty() || !urls.first().isLocalFile()) return;
    ActiveChildStoreEdits();
    if (!AskToSave()) return;
    OpenProject(urls.first().toLocalFile(), true);
}

}  // namespace korven
