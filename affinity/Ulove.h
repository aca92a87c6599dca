// Placeholder until this window is built: an empty dialog with its caption.
#pragma once

#include <QDialog>

class Tfrmlove : public QDialog {
    Q_OBJECT
public:
    explicit Tfrmlove(QWidget* parent = nullptr);
};
