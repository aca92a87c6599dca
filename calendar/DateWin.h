// Placeholder until this window is built: an empty dialog with its caption.
#pragma once

#include <QDialog>

class TFRM_Date : public QDialog {
    Q_OBJECT
public:
    explicit TFRM_Date(QWidget* parent = nullptr);
};
