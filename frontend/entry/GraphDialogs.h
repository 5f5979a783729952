// The small modal dialogs of the graph window: save attributes, legend names, active curves.
#pragma once

#include <QColor>
#include <QDialog>
#include <QImage>
#include <QStringList>
#include <vector>

class QButtonGroup;
class QLineEdit;
class QListWidget;

namespace korven {

class TDataEdit;

/// "Save Attributes": size and resolution of a bitmap to save.
class TdlgFormat : public QDialog {
    Q_OBJECT
public:
    explicit TdlgFormat(QWidget* parent = nullptr);
    TDataEdit* deHeight;
    TDataEdit* deWidth;
    TDataEdit* dePPI;
    QButtonGroup* Colors;

    /// After OK: the bitmap of the chosen size and its resolution in pixels per inch.
    const QImage& Bitmap() const { return FBitmap; }
    int Resolution() const { return FResolution; }
    /// 0 black and white, 1 16 colours, 2 256 colours, 3 high colour, 4 true colour.
    int ColorChoice() const;

    /// Pixel size of a picture `width` by `height` inches at `ppi` (each rounded).
    static QSize PixelSize(long double width, long double height, long double ppi);

    void accept() override;

private:
    QImage FBitmap;
    int FResolution = 72;
};

/// "Legend": renaming the curves of a graph.
class TfrmLineNames : public QDialog {
    Q_OBJECT
public:
    /// `names` receives the edited names when the dialog ends; `palette` colours the edit text.
    TfrmLineNames(QStringList& names, std::vector<QColor> palette, QWidget* parent = nullptr);
    QListWidget* List;
    QLineEdit* Edit;

    /// Puts the edit text into the selected entry; an empty text is refused.
    void TakeEdit();

    void done(int result) override;

private:
    void ShowSelected();
    QStringList& FNames;
    std::vector<QColor> FPalette;
};

/// "Active Curves": which curves of a graph are drawn.
class TfrmActiveLines : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kYes = " yes : ";
    static constexpr const char* kNo  = " no  : ";

    TfrmActiveLines(const QStringList& names, const QStringList& marks, QWidget* parent = nullptr);
    QListWidget* List;

    QStringList Marks() const { return FMarks; }
    void ToggleSelected();
    void SetAll(bool active);
    void Toggle(int row);

private:
    void Refill();
    QStringList FNames, FMarks;
};

}  // namespace korven
