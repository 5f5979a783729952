// The data dialogs: small modeless child windows that show project values when they become
// active and store them back when another window becomes active or they close.
#pragma once

#include <QWidget>
#include <functional>
#include <vector>

#include "entry/DataEdit.h"
#include "project/ChildForm.h"

class QCheckBox;
class QGridLayout;
class QLineEdit;
class QRadioButton;
class QVBoxLayout;

namespace korven {

class TProgramData;

class TDataDialog : public QWidget, public TChildForm {
    Q_OBJECT
public:
    TDataDialog(TProgramData& project, const QString& caption, QWidget* parent = nullptr);

    void FormActivate() override;
    bool FormDeactivate() override;
    TProgramData& Project() const { return FProject; }

    /// Every numeric field of the dialog.
    const std::vector<TDataEdit*>& Fields() const { return FFields; }

protected:
    virtual void Load()  = 0;
    virtual void Store() = 0;
    /// The title dialog closes without checking its (non-numeric) entry.
    virtual bool ValidatesOnClose() const { return true; }
    void closeEvent(QCloseEvent* event) override;

    /// A numeric field with its caption label and an optional note beside it, in the next row.
    TDataEdit* AddField(const char* name, const QString& caption, const QString& units,
                        const QString& hint = {}, const QString& note = {});
    /// The value of a field, or `previous` when the text is no valid entry.
    static long double ValueOf(const TDataEdit* field, long double previous);
    void MarkModified();

    QVBoxLayout* FLayout = nullptr;
    QGridLayout* FGrid   = nullptr;

private:
    bool ActiveFieldValid();
    TProgramData& FProject;
    std::vector<TDataEdit*> FFields;
};

class TdlgTitle : public TDataDialog {
    Q_OBJECT
public:
    explicit TdlgTitle(TProgramData& project, QWidget* parent = nullptr);
    QLineEdit* TitleMemo = nullptr;

protected:
    void Load() override;
    void Store() override;
    bool ValidatesOnClose() const override { return false; }
};

class TfrmShaftpeneta : public TDataDialog {
    Q_OBJECT
public:
    explicit TfrmShaftpeneta(TProgramData& project, QWidget* parent = nullptr);
    TDataEdit *DataEdit1, *DataEdit2, *DataEdit3, *DataEdit4, *DataEdit5, *DataEdit6, *DataEdit7;
    static QString NoteText();

protected:
    void Load() override;
    void Store() override;
};

class TfrmWaterDepth : public TDataDialog {
    Q_OBJECT
public:
    explicit TfrmWaterDepth(TProgramData& project, QWidget* parent = nullptr);
    TDataEdit* DataEdit1;

protected:
    void Load() override;
    void Store() override;
};

/// The shaft length and design load dialogs: one value and the type of loading.
class TLoadingDialog : public TDataDialog {
    Q_OBJECT
public:
    TLoadingDialog(TProgramData& project, const QString& caption, QWidget* parent);
    QRadioButton* OptStatic = nullptr;
    QRadioButton* OptCyclic = nullptr;
    TDataEdit* deRCYCL      = nullptr;

protected:
    void AddLoadingGroup();
    void LoadLoading();
    void StoreLoading();
};

class TfrmPenetration : public TLoadingDialog {
    Q_OBJECT
public:
    explicit TfrmPenetration(TProgramData& project, QWidget* parent = nullptr);
    TDataEdit* DataEdit1;

protected:
    void Load() override;
    void Store() override;
};

class TfrmDesignLoad : public TLoadingDialog {
    Q_OBJECT
public:
    explicit TfrmDesignLoad(TProgramData& project, QWidget* parent = nullptr);
    TDataEdit* DataEditL;

protected:
    void Load() override;
    void Store() override;
};

class TfrmSafetyFactor : public TDataDialog {
    Q_OBJECT
public:
    explicit TfrmSafetyFactor(TProgramData& project, QWidget* parent = nullptr);
    TDataEdit *DataEdit1, *DataEdit2;

protected:
    void Load() override;
    void Store() override;
};

class TDlgOptions : public TDataDialog {
    Q_OBJECT
public:
    TDlgOptions(TProgramData& project, QString& textEditor, QWidget* parent = nullptr);
    QLineEdit* EdtWord = nullptr;
    TDataEdit* DataEdit1;
    QCheckBox* TipReduction = nullptr;

protected:
    void Load() override;
    void Store() override;

private:
    QString& FTextEditor;
};

}  // namespace korven
