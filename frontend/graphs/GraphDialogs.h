// The small modal dialogs of the graph window: graph title, legend names, active curves and the
// attributes of a saved image.
#pragma once

#include <QDialog>
#include <QStringList>

class QLineEdit;
class QListWidget;
class QRadioButton;
class QDoubleSpinBox;
class QSpinBox;

namespace korven {

inline const QString kActiveMark   = QStringLiteral(" yes : ");
inline const QString kInactiveMark = QStringLiteral(" no  : ");

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

class TfrmLineNames : public QDialog {
    Q_OBJECT
public:
    /// `colours` gives each entry's text colour.
    TfrmLineNames(const QStringList& names, const std::vector<QColor>& colours,
                  QWidget* parent = nullptr);
    QStringList Names() const { return names_; }
    QListWidget* List() const { return list_; }
    QLineEdit* Edit() const { return edit_; }
    /// Puts the edit text into the selected entry; an empty text is refused.
    bool Commit();

private:
    void ShowSelected();
    QStringList names_;
    std::vector<QColor> colours_;
    QListWidget* list_;
    QLineEdit* edit_;
    int current_ = 0;
};

class TfrmActiveLines : public QDialog {
    Q_OBJECT
public:
    TfrmActiveLines(const QStringList& names, const QStringList& marks, QWidget* parent = nullptr);
    QStringList Marks() const { return marks_; }
    QListWidget* List() const { return list_; }
    void ToggleSelected();
    void SetAll(bool active);
    void Toggle(int row);

private:
    void Refresh();
    QStringList names_;
    QStringList marks_;
    QListWidget* list_;
};

class TdlgFormat : public QDialog {
    Q_OBJECT
public:
    explicit TdlgFormat(QWidget* parent = nullptr);
    double HeightIn() const;
    double WidthIn() const;
    int Ppi() const;
    QDoubleSpinBox* deHeight;
    QDoubleSpinBox* deWidth;
    QSpinBox* dePPI;
};

}  // namespace korven
