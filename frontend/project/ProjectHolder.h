// What the main window owns besides its controls: the project, the soil tables, the result
// graphs and the open data dialogs.
#pragma once

#include <QPointer>
#include <QString>

#include "entry/SystemTables.h"
#include "graphs/PlotLoad.h"
#include "project/ProgramData.h"

namespace korven {

class TMainForm;
class TDataDialog;
class TTableForm;

class TProjectHolder {
public:
    explicit TProjectHolder(TMainForm& form);
    ~TProjectHolder();
    TProjectHolder(const TProjectHolder&)            = delete;
    TProjectHolder& operator=(const TProjectHolder&) = delete;

    TSystemTables Tables;
    TProgramData Project{Tables};
    TResultGraphs Graphs;

    QString FileName() const { return QString::fromStdString(Project.FileName); }
    void SetFileName(const QString& fileName) { Project.FileName = fileName.toStdString(); }
    int Units() const { return Project.Units; }
    void SetUnits(int units);
    int DesignMethod() const { return Project.DesignMethod; }
    void SetDesignMethod(int method);
    void SetDesignControl(int control) { Project.DesignControl = control; }
    int SettlementAvailable() const { return Project.SettlementAvailable; }

    void NewProject();
    /// False when the file was damaged: what was read stays, as an untitled project.
    bool LoadProject(const QString& path, bool currentFormat);
    bool SaveProject(QString& error);
    bool LoadPlots(const QString& plotFile, bool showError);
    /// Empties the result graphs.
    void ClearResults() { Graphs.Clear(); }
    void ShowLrfdColumns(bool show);

    void CloseChildren();
    void ShowTitle();
    void ShowShaft();
    void ShowSoilTable();
    void ShowSafety();
    void ShowWater();
    void ShowOptions();
    void ShowLength();
    void ShowLoad();
    void ShowAbout();
    void CloseLengthDialog();
    void CloseLoadDialog();
    /// Shows a table's window as a child of the main window (one window per table).
    TTableForm* ShowTable(TGridTable& table);

    // the open flags of the dialogs: null once a dialog has closed
    QPointer<TDataDialog> Title, Shaft, Length, Load, Water, Safety, Options;

private:
    template <class D, class... A>
    D* Show(QPointer<TDataDialog>& slot, A&&... args);
    void Close(QPointer<TDataDialog>& slot);
    void UnitsChanged();
    TMainForm& FForm;
};

}  // namespace korven
