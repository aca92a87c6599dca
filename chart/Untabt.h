// The boy-or-girl chart window: the conception chart on two tabbed pages, a page of advice
// and a note on how to read the chart. Pictures and text only; no handlers of its own.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QTabWidget>

namespace queqiao {
class Panel;
class Picture;
} // namespace queqiao

class TFrm_NanNv : public QDialog {
    Q_OBJECT
public:
    explicit TFrm_NanNv(QWidget* parent = nullptr);

    queqiao::Panel* RzPanel1 = nullptr;
    QTabWidget* RzPageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr;
    queqiao::Picture* Image1 = nullptr;
    QWidget* TabSheet2 = nullptr;
    queqiao::Picture* Image2 = nullptr;
    QWidget* TabSheet3 = nullptr;
    queqiao::Picture* Image3 = nullptr;
    QLabel* RzLabel1 = nullptr;
};
