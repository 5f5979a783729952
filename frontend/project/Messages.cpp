// The real message boxes behind the seam.
#include "Messages.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "project/MainRules.h"

namespace korven {
namespace {

class TBoxSink final : public TMessageSink {
public:
    TMsgAnswer Show(QWidget* parent, TMsgKind kind, const QString& text,
                    TMsgButtons buttons) override {
        QMessageBox box(parent);
        box.setWindowTitle(QApplication::applicationName());
        box.setText(text);
        switch (kind) {
            case TMsgKind::Information:
                box.setIcon(QMessageBox::Information);
                break;
            case TMsgKind::Error:
                box.setIcon(QMessageBox::Critical);
                break;
            case TMsgKind::Warning:
                box.setIcon(QMessageBox::Warning);
                break;
            case TMsgKind::Question:
                box.setIcon(QMessageBox::Question);
                break;
        }
        switch (buttons) {
            case TMsgButtons::Ok:
                box.setStandardButtons(QMessageBox::Ok);
                break;
            case TMsgButtons::YesNoCancel:
                box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
                break;
            case TMsgButtons::OkCancel:
                box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
                break;
            case TMsgButtons::YesNo:
                box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
                break;
        }
        switch (box.exec()) {
            case QMessageBox::Yes:
                return TMsgAnswer::Yes;
            case QMessageBox::No:
                return TMsgAnswer::No;
            case QMessageBox::Cancel:
                return TMsgAnswer::Cancel;
            default:
                return TMsgAnswer::Ok;
        }
    }
};

TBoxSink gBoxes;
TMessageSink* gSink = &gBoxes;

class TDialogAsker final : public TFileAsker {
public:
    QString OpenFile(QWidget* parent, const QString& title, const QString& folder,
                     const QStringList& filters, int& filterIndex) override {
        QFileDialog dialog(parent, title, folder);
        dialog.setViewMode(QFileDialog::Detail);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setNameFilters(filters);
        dialog.setDefaultSuffix(DefaultSuffix(filters, filters.value(0)));
        if (filterIndex >= 0 && filterIndex < filters.size())
            dialog.selectNameFilter(filters[filterIndex]);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
        filterIndex = static_cast<int>(filters.indexOf(dialog.selectedNameFilter()));
        return dialog.selectedFiles().constFirst();
    }
    QString SaveFile(QWidget* parent, const QString& title, const QString& current,
                     const QStringList& filters) override {
        QFileDialog dialog(parent, title);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setViewMode(QFileDialog::Detail);
        dialog.setNameFilters(filters);
        // a name typed without an extension takes that of the filter shown, not a project's
        dialog.setDefaultSuffix(DefaultSuffix(filters, filters.value(0)));
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&dialog, filters](const QString& chosen) {
                             dialog.setDefaultSuffix(DefaultSuffix(filters, chosen));
                         });
        // `current` is a file to propose, or a folder (ending in "/") to start in
        const QFileInfo at(current);
        if (!current.isEmpty()) dialog.setDirectory(at.absolutePath());
        if (!at.fileName().isEmpty()) dialog.selectFile(at.fileName());
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
        return dialog.selectedFiles().constFirst();
    }
};

TDialogAsker gDialogs;
TFileAsker* gAsker = &gDialogs;

}  // namespace

TMsgAnswer ShowMessage(QWidget* parent, TMsgKind kind, const QString& text, TMsgButtons buttons) {
    return gSink->Show(parent, kind, text, buttons);
}

void SetMessageSink(TMessageSink* sink) { gSink = sink ? sink : &gBoxes; }

QString AskOpenFileName(QWidget* parent, const QString& title, const QString& folder,
                        const QStringList& filters, int& filterIndex) {
    return gAsker->OpenFile(parent, title, folder, filters, filterIndex);
}

QString AskSaveFileName(QWidget* parent, const QString& title, const QString& current,
                        const QStringList& filters) {
    return gAsker->SaveFile(parent, title, current, filters);
}

void SetFileAsker(TFileAsker* asker) { gAsker = asker ? asker : &gDialogs; }

}  // namespace korven
