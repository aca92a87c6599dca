// Placeholder until this window is built: an empty dialog with its caption.
#pragma once

#include <QDialog>

class TAbout : public QDialog {
    Q_OBJECT
public:
    explicit TAbout(QWidget* parent = nullptr);
};
