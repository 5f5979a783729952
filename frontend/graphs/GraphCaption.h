// "Graph Caption": the title of a graph and whether it stands above or below the plot.
#pragma once

#include <QDialog>

class QLineEdit;
class QRadioButton;

namespace korven {

class TfrmGraphCaption : public QDialog {
    Q_OBJECT
public:
    TfrmGraphCaption(const QString& title, bool onTop, QWidget* parent = nullptr);
    QString Title() const;
    bool OnTop() const;
    QLineEdit* Edit() const { return edit_; }

private:
    QLineEdit* edit_;
    QRadioButton* top_;
};

}  // namespace korven
