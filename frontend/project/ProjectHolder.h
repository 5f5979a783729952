// What the main window owns besides its controls: the project, the soil tables, the result
// graphs and the open data dialogs.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

namespace korven {

class TMainForm;

class TProjectHolder {
public:
    explicit TProjectHolder(TMainForm& form);
    ~TProjectHolder();
    TProjectHolder(const TProjectHolder&)            = delete;
    TProjectHolder& operator=(const TProjectHolder&) = delete;

    QString FileName() const;
    void SetFileName(const QString& fileName);
    int Units() const;
    void SetUnits(int units);
    int DesignMethod() const;
    void SetDesignMethod(int method);
    void SetDesignControl(int control);
    int SettlementAvailable() const;
    bool TablesChanged() const;

    void NewProject();
    void LoadProject(const QString& path, bool currentFormat);
    bool SaveProject(QString& error);
    bool LoadPlots(const QString& plotFile, bool showError);
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

private:
    TMainForm& FForm;
    QString FFileName;
    int FUnits               = 1;
    int FDesignMethod        = 2;
    int FDesignControl       = 2;
    int FSettlementAvailable = 1;
};

}  // namespace korven
