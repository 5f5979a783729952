// The About window.
#pragma once

#include <QDialog>

namespace korven {

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);
};

}  // namespace korven
