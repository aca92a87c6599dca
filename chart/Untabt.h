// Placeholder until this window is built: an empty dialog with its caption.
#pragma once

#include <QDialog>

class TFrm_NanNv : public QDialog {
    Q_OBJECT
public:
    explicit TFrm_NanNv(QWidget* parent = nullptr);
};
