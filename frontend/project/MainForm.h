// The main window: a multiple-document frame that owns the project, the soil tables and the
// result graphs, and drives the engine.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>

#include "project/MainRules.h"

class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QAction;
class QToolBar;
class QUrl;

namespace korven {

class TChildForm;
class TProgramData;
class TProjectHolder;
class TResultGraphs;
class TRunCommand;
class TTextViewer;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    /// First show: settings, the recent files, and the project named on the command line (or a
    /// new one when there is none or it does not exist).
    void StartUp(const QStringList& arguments);

    // ---- state ----
    QString TextEditor;
    TRecentFiles RecentFiles;
    bool ResultsLoaded = false;  ///< the plot data of the project is in the graphs

    /// The modified mark, or a changed table.
    bool IsModified() const;
    TProjectHolder& Holder() const { return *FHolder; }
    TProgramData& Project() const;
    TResultGraphs& Graphs() const;

    QString ProjectFileName() const;
    QMdiArea* MdiArea() const { return FMdi; }

    // ---- commands ----
    void FileNewClick();
    void FileOpenClick();
    bool FileSaveClick();
    bool FileSaveAsClick();
    void RecentFileClick(int index);
    void CompRunClick();
    /// Opens a text file in the text editor, or with the desktop's opener, or in the built-in
    /// viewer when neither is there.
    void EditTextFile(const QString& path);
    /// The built-in read-only viewer of `path` (reloaded when it is open); null when the file
    /// cannot be read, which has been said.
    TTextViewer* ShowTextViewer(const QString& path);

    /// Files dropped from the desktop: the first one is opened, after the question to save.
    void FilesDropped(const QList<QUrl>& urls);
    /// Opens a project file (format switch: true for the current file format).
    void OpenProject(const QString& fileName, bool currentFormat);
    /// Ask to save: false when the user cancelled (or saving did not give the project a name).
    bool AskToSave();
    /// Makes the active child take over its edits; false when it refused (invalid entry).
    bool ActiveChildStoreEdits();
    /// Shows `widget` as a child window (or brings it to the front when it is one already).
    QMdiSubWindow* ShowChild(QWidget* widget);

    /// Where the engine library is looked for (the executable's folder unless a test says so).
    void SetLibraryPath(const QString& path);

    /// Graph windows and the elevation view come from the graph subsystem; it installs these.
    std::function<void(TMainForm&, int graphIndex)> OnShowGraph;
    std::function<void(TMainForm&)> OnShowSideView;
    /// After a run has loaded new results: graph windows left open would still show the old ones.
    std::function<void(TMainForm&)> OnResultsLoaded;
    /// Graphics > "Load Test...", and whenever results were loaded (after a run or on opening a
    /// project): the measured load test over the settlement graphs.
    std::function<void(TMainForm&)> OnLoadTest;
    std::function<void(TMainForm&)> OnPlotsLoaded;

    /// Object names of the twelve graph items, in the order of the Graphics menu.
    static const std::array<const char*, 12>& GraphNames();
    /// Captions of the twelve Graphics menu items, in the same order.
    static const std::array<const char*, 12>& GraphCaptions();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    QAction* AddAction(QMenu* menu, const char* name, const QString& text,
                       const std::function<void()>& onTriggered, const QKeySequence& keys = {});
    void UpdateCaption();
    void UpdateRecentMenu();
    void UpdateDataMenu();
    void UpdateComputationMenu();
    void UpdateGraphicsMenu();
    bool GraphEnabled(int index) const;
    /// Results of the previous project or run go: graphs emptied, their windows closed.
    void ClearResults();
    /// A menu about to open makes the active child store its edits; a refusal closes it again.
    bool MenuStoresEdits(QMenu* menu);
    bool SaveCommand();
    bool SaveAsCommand();
    void UpdateWindowMenu();
    void UpdateLrfdColumns();
    void AddRecent(const QString& path);
    void SubWindowActivated(QMdiSubWindow* window);
    void ShowGraph(int index);
    void OpenBesideExecutable(const QString& fileName);
    void ArrangeIcons();
    void SetUnits(int units);
    void SetDesignMethod(int method);
    void SetDesignControl(int control);
    bool SaveProject();

    QMdiArea* FMdi            = nullptr;
    QToolBar* FToolBar        = nullptr;
    QMenu* FFileMenu          = nullptr;
    QMenu* FDataMenu          = nullptr;
    QMenu* FCompMenu          = nullptr;
    QMenu* FGraphMenu         = nullptr;
    QMenu* FWindowMenu        = nullptr;
    QMenu* FHelpMenu          = nullptr;
    QAction* FRecentSeparator = nullptr;
    std::array<QAction*, TRecentFiles::kSize> FRecentItems{};
    std::array<QAction*, 50> FWindowItems{};
    std::array<QAction*, 12> FGraphItems{};
    QPointer<QMdiSubWindow> FLastActive;
    bool FSwitching = false;
    QString FLibraryPath;
    std::unique_ptr<TProjectHolder> FHolder;
    std::unique_ptr<TRunCommand> FRun;
};

}  // namespace korven
