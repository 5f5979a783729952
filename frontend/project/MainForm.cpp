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
#include <QPainter>
#include <QPixmap>
#include <QProcess>
#include <QStandardPaths>
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
#include "project/TextViewer.h"

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

QString ExecutableDir() { return QCoreApplication::applicationDirPath(); }

// A white sheet with a folded corner: the style's plain file icon is grey and reads as disabled.
QIcon NewFileIcon() {
    QPixmap sheet(24, 24);
    sheet.fill(Qt::transparent);
    QPainter p(&sheet);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), 1.2));
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF({QPointF(5.5, 2.5), QPointF(14.5, 2.5), QPointF(19.5, 7.5),
                             QPointF(19.5, 21.5), QPointF(5.5, 21.5)}));
    p.setBrush(QColor(210, 225, 245));
    p.drawPolygon(QPolygonF({QPointF(14.5, 2.5), QPointF(14.5, 7.5), QPointF(19.5, 7.5)}));
    p.end();
    return QIcon(sheet);
}

QString EscapeAmpersands(QString text) {
    return text.replace(QLatin1Char('&'), QLatin1String("&&"));
}

}  // namespace

const std::array<const char*, 12>& TMainForm::GraphNames() { return kGraphNames; }
const std::array<const char*, 12>& TMainForm::GraphCaptions() { return kGraphCaptions; }

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
        if (!MenuStoresEdits(FFileMenu)) return;
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
        if (!MenuStoresEdits(FDataMenu)) return;
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
        if (!MenuStoresEdits(FCompMenu)) return;
        UpdateComputationMenu();
    });

    FGraphMenu = bar->addMenu(QStringLiteral("&Graphics"));
    FGraphMenu->setObjectName(QStringLiteral("GraphMenu"));
    for (std::size_t i = 0; i < kGraphNames.size(); ++i)
        FGraphItems[i] = AddAction(FGraphMenu, kGraphNames[i], QLatin1String(kGraphCaptions[i]),
                                   [this, i] { ShowGraph(static_cast<int>(i)); });
    FGraphMenu->addSeparator();
    AddAction(FGraphMenu, "GraphLoadTest", QStringLiteral("Load Test..."), [this] {
        if (OnLoadTest) OnLoadTest(*this);
    });
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
    connect(FHelpMenu, &QMenu::aboutToShow, this, [this] { MenuStoresEdits(FHelpMenu); });
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
    };
    const TButton buttons[] = {
        // the New, Open, Save and Run commands take over the active child's edits themselves
        {"ToolNew", "New File", NewFileIcon(), [this] { FileNewClick(); }},
        {"ToolOpen", "Open File", s->standardIcon(QStyle::SP_DialogOpenButton),
         [this] { FileOpenClick(); }},
        {"ToolSave", "Save File", s->standardIcon(QStyle::SP_DialogSaveButton),
         [this] { FileSaveClick(); }},
        {"ToolRun", "Run Data File", s->standardIcon(QStyle::SP_MediaPlay),
         [this] { CompRunClick(); }},
        {"ToolSoil", "Soil layer Data", s->standardIcon(QStyle::SP_FileDialogDetailedView),
         [this] { FHolder->ShowSoilTable(); }},
        {"ToolOutput", "View Output", s->standardIcon(QStyle::SP_FileDialogContentsView),
         [this] { EditTextFile(WithExtension(ProjectFileName(), ".kvo")); }},
        {"ToolProfile", "View Soil Profile", s->standardIcon(QStyle::SP_ArrowDown),
         [this] {
             if (OnShowSideView) OnShowSideView(*this);
         }},
        {"ToolCombined", "Combined Plot", s->standardIcon(QStyle::SP_FileDialogListView),
         [this] { ShowGraph(kGraphCombine); }},
        {"ToolSettle", "Load vs. Settlement", s->standardIcon(QStyle::SP_ArrowRight),
         [this] { ShowGraph(kGraphAxial); }},
    };
    for (const TButton& b : buttons) {
        auto* a = new QAction(b.Icon, QLatin1String(b.Hint), this);
        a->setObjectName(QLatin1String(b.Name));
        a->setToolTip(QLatin1String(b.Hint));
        a->setStatusTip(QLatin1String(b.Hint));
        const std::function<void()> click = b.Click;
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
    UpdateGraphicsMenu();
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

bool TMainForm::GraphEnabled(int index) const {
    return GraphItemEnabled(index, ResultsLoaded,
                            QFileInfo::exists(WithExtension(ProjectFileName(), ".kvp")),
                            FHolder->SettlementAvailable() != 0);
}

void TMainForm::UpdateGraphicsMenu() {
    for (std::size_t i = 0; i < FGraphItems.size(); ++i)
        FGraphItems[i]->setEnabled(GraphEnabled(static_cast<int>(i)));
    findChild<QAction*>(QStringLiteral("GraphLoadTest"))->setEnabled(GraphEnabled(0));
    findChild<QAction*>(QStringLiteral("ToolCombined"))->setEnabled(GraphEnabled(kGraphCombine));
    findChild<QAction*>(QStringLiteral("ToolSettle"))->setEnabled(GraphEnabled(kGraphAxial));
}

void TMainForm::ClearResults() {
    ResultsLoaded = false;
    FHolder->ClearResults();
    // graph windows left open have nothing left to draw and close
    if (OnResultsLoaded) OnResultsLoaded(*this);
    UpdateGraphicsMenu();
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

bool TMainForm::MenuStoresEdits(QMenu* menu) {
    if (ActiveChildStoreEdits()) return true;
    // The entry's message has been shown and the field has the focus again. The menu must not
    // open after it: a key that dismissed the message would otherwise choose its first item.
    QTimer::singleShot(0, menu, [menu] { menu->hide(); });
    return false;
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
    // a new window steps down and right of those already open instead of covering them
    int open = 0;
    for (QMdiSubWindow* other : FMdi->subWindowList())
        if (other->isVisible() && !other->isMinimized() && !other->isMaximized()) ++open;
    QMdiSubWindow* w = FMdi->addSubWindow(widget);
    w->setAttribute(Qt::WA_DeleteOnClose);
    QPixmap blank(16, 16);  // no toolkit logo in a child's title bar
    blank.fill(Qt::transparent);
    w->setWindowIcon(QIcon(blank));
    w->adjustSize();
    const int step = std::max(w->height() - w->widget()->height(), 24);  // one title bar
    w->move(CascadePosition(open, FMdi->viewport()->size(), w->size(), step));
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
            // a save that failed or was cancelled keeps the project: the command does not go on
            return SaveCommand() && !IsUntitled(ProjectFileName());
        default:
            return true;
    }
}

// Every command that needs the project as typed takes over the active child's edits first, also
// when a shortcut or a toolbar button, not the menu, started it; a refused entry ends the command.

void TMainForm::FileNewClick() {
    if (!ActiveChildStoreEdits() || !AskToSave()) return;
    FHolder->NewProject();
    ClearResults();
    UpdateCaption();
    UpdateLrfdColumns();
}

void TMainForm::FileOpenClick() {
    if (!ActiveChildStoreEdits() || !AskToSave()) return;
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
    if (!ActiveChildStoreEdits() || !AskToSave()) return;
    OpenProject(RecentFiles[index], true);
}

void TMainForm::OpenProject(const QString& fileName, bool currentFormat) {
    const QFileInfo info(fileName);
    const QString path = info.absoluteFilePath();
    FHolder->CloseChildren();
    QDir::setCurrent(info.absolutePath());
    ClearResults();
    // a damaged file keeps what was read, untitled: a Save must not overwrite the original, and
    // results beside it need not belong to what was read
    const bool complete = FHolder->LoadProject(path, currentFormat);
    UpdateCaption();
    const QString plot = WithExtension(path, ".kvp");
    if (complete && QFileInfo::exists(plot)) ResultsLoaded = FHolder->LoadPlots(plot, false);
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
    if (FHolder->SaveProject(error)) return true;
    // the reason names the file already; another name is the way out of a folder one cannot
    // write to
    if (ShowMessage(this, TMsgKind::Error,
                    error + QStringLiteral("\n\nDo you want to save it under another name?"),
                    TMsgButtons::YesNo)
        == TMsgAnswer::Yes)
        return SaveAsCommand();
    return false;
}

bool TMainForm::FileSaveClick() {
    if (!ActiveChildStoreEdits()) return false;
    return SaveCommand();
}

bool TMainForm::SaveCommand() {
    if (IsUntitled(ProjectFileName())) return SaveAsCommand();
    return SaveProject();
}

bool TMainForm::FileSaveAsClick() {
    if (!ActiveChildStoreEdits()) return false;
    return SaveAsCommand();
}

bool TMainForm::SaveAsCommand() {
    const QString title =
        QStringLiteral("Save ") + ProjectShortName(ProjectFileName()) + QStringLiteral(" As");
    const QStringList filters = {QStringLiteral("KORVEN 6.0(*.kvd)"),
                                 QStringLiteral("All File(*.*)")};
    const QString name        = AskSaveFileName(this, title, ProjectFileName(), filters);
    if (name.isEmpty()) return false;
    const QFileInfo info(name);
    FHolder->SetFileName(info.absoluteFilePath());
    // as after opening: the project's folder is where its pictures and results go
    QDir::setCurrent(info.absolutePath());
    UpdateCaption();
    return SaveProject();
}

void TMainForm::CompRunClick() {
    if (!ActiveChildStoreEdits()) return;
    if (!SaveCommand() || IsUntitled(ProjectFileName())) return;
    // what the engine would stop on without a word is said here, before it is called
    if (const std::string why = Project().RunProblem(); !why.empty()) {
        ShowMessage(this, TMsgKind::Information, QString::fromStdString(why));
        return;
    }
    TRunHooks hooks;
    hooks.Inform = [this](const QString& text) { ShowMessage(this, TMsgKind::Information, text); };
    hooks.WaitCursor = [](bool on) {
        if (on)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    };
    bool loaded       = false;
    hooks.LoadResults = [this, &loaded](const QString& plot) {
        ResultsLoaded = loaded = FHolder->LoadPlots(plot, true);
        if (OnResultsLoaded) OnResultsLoaded(*this);
    };
    FRun->Execute(ProjectFileName(), hooks);
    // the project was saved as it stands now: results of an earlier run no longer describe it
    if (!loaded) ClearResults();
    UpdateGraphicsMenu();
}

void TMainForm::EditTextFile(const QString& path) {
    const QString opener = QStandardPaths::findExecutable(QLatin1String(kSystemOpener));
    switch (ChooseTextOpener(TextEditor, !opener.isEmpty())) {
        case TTextOpener::Editor: {
            QStringList words     = QProcess::splitCommand(TextEditor + QStringLiteral(" \"") + path
                                                           + QLatin1Char('"'));
            const QString program = words.isEmpty() ? QString() : words.takeFirst();
            if (program.isEmpty() || !QProcess::startDetached(program, words))
                ShowMessage(this, TMsgKind::Information,
                            QStringLiteral("An error occurred in running the Word Processor"));
            return;
        }
        case TTextOpener::SystemOpener: {
            // The opener tells by its exit code that it found no program for the file; the
            // viewer then shows it. The process object is not owned by the window: closing the
            // program must not end an editor the opener waits for.
            auto* process = new QProcess;
            QPointer<TMainForm> self(this);
            QObject::connect(process, &QProcess::finished, process,
                             [process, self, path](int code, QProcess::ExitStatus status) {
                                 process->deleteLater();
                                 if ((code != 0 || status != QProcess::NormalExit) && self)
                                     self->ShowTextViewer(path);
                             });
            QObject::connect(process, &QProcess::errorOccurred, process,
                             [process, self, path](QProcess::ProcessError error) {
                                 if (error != QProcess::FailedToStart) return;
                                 process->deleteLater();
                                 if (self) self->ShowTextViewer(path);
                             });
            process->start(opener, {path});
            return;
        }
        case TTextOpener::Viewer:
            ShowTextViewer(path);
            return;
    }
}

TTextViewer* TMainForm::ShowTextViewer(const QString& path) {
    const QString file  = QFileInfo(path).absoluteFilePath();
    TTextViewer* viewer = nullptr;
    for (QMdiSubWindow* w : FMdi->subWindowList())
        if (auto* v = qobject_cast<TTextViewer*>(w->widget()); v && v->Path() == file) viewer = v;
    const bool made = !viewer;
    if (made) viewer = new TTextViewer;
    QString error;
    if (!QFileInfo::exists(file) || !viewer->Load(file, error)) {
        if (made) delete viewer;
        ShowMessage(
            this, TMsgKind::Information,
            error.isEmpty() ? QStringLiteral("The file %1 does not exist.").arg(file) : error);
        return nullptr;
    }
    ShowChild(viewer);
    return viewer;
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
    // the toolbar and the menu follow one rule, whatever state the buttons were last shown in
    if (!GraphEnabled(index)) {
        UpdateGraphicsMenu();
        return;
    }
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
    if (!ActiveChildStoreEdits() || !AskToSave()) {
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
    if (!ActiveChildStoreEdits() || !AskToSave()) return;
    OpenProject(urls.first().toLocalFile(), true);
}

}  // namespace korven
