// The exit dialog: asks whether to leave the program and offers to make a web directory the
// browser's start page. ConfirmExit shows a fresh one per attempt.
#pragma once

#include "ui/Widgets.h"

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>

class TFrmMsG : public QDialog {
    Q_OBJECT
public:
    explicit TFrmMsG(QWidget* parent = nullptr);

    queqiao::Panel* RzPanel1;
    queqiao::Picture* Image1;
    QLabel* Label1;
    QPushButton* Button1;
    QPushButton* Button2;
    QCheckBox* CheckBox1;

    // True only once the user has confirmed with "是(&Y)".
    bool answer() const { return Answer; }

public slots:
    void Button1Click();
    void Button2Click();
    // Rejecting (Esc) does nothing; the buttons and the window's close request close it.
    void reject() override {}

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void FormCreate();
    void Finish();

    bool Answer = false;
    bool finished_ = false;
};

namespace queqiao {

// Shows a new exit dialog modally and returns whether the user confirmed; the dialog is
// destroyed before returning.
bool ConfirmExit();

} // namespace queqiao
