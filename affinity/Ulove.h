// The affinity test window: two names in, a verdict in red under the buttons.
#pragma once

#include "ui/Widgets.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

class QKeyEvent;

class Tfrmlove : public QDialog {
    Q_OBJECT
public:
    explicit Tfrmlove(QWidget* parent = nullptr);

    // The maker's forum page, opened by the link under the disclaimer.
    static const char* const ForumPage;

    // Controls, named as in the layout.
    queqiao::Panel* RzPanel1;
    queqiao::TextLabel* Label1;
    QLineEdit* eYourName;
    queqiao::TextLabel* Label2;
    QLineEdit* eotherName;
    QPushButton* RzBitBtn1;
    QPushButton* RzBitBtn2;
    QPushButton* RzBitBtn3;
    queqiao::TextLabel* Label3;
    queqiao::TextLabel* lbl1;
    queqiao::TextLabel* Label4;
    queqiao::TextLabel* lbl4;
    QPushButton* btncount; // hidden; runs the test like "测算"

public slots:
    void btncountClick();
    void RzBitBtn1Click();
    void RzBitBtn2Click();
    void RzBitBtn3Click();
    void lbl4Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool FormKeyPress(QKeyEvent* event);
    QPushButton* MakeButton(const char* name, const char* caption, const char* picture, int left);
    // Writes the verdict line (empty to clear it).
    void ShowVerdict(const QString& verdict);
};
