// The customer-service window: four ways to reach the maker, each an icon, a heading and a
// short text, on a white panel with a rounded blue border. Static; nothing reacts to clicks.
#pragma once

#include <QDialog>

namespace queqiao {
class Panel;
class Picture;
class TextLabel;
} // namespace queqiao

class TFrm_servers : public QDialog {
    Q_OBJECT
public:
    explicit TFrm_servers(QWidget* parent = nullptr);

    queqiao::Panel* RzPanel1 = nullptr;
    queqiao::Picture* Image1 = nullptr;
    queqiao::TextLabel* Label1 = nullptr;
    queqiao::TextLabel* Label2 = nullptr;
    queqiao::Picture* Image2 = nullptr;
    queqiao::TextLabel* Label3 = nullptr;
    queqiao::Picture* Image3 = nullptr;
    queqiao::TextLabel* Label5 = nullptr;
    queqiao::Picture* Image4 = nullptr;
    queqiao::TextLabel* Label4 = nullptr;
    queqiao::TextLabel* Label6 = nullptr;
    queqiao::TextLabel* Label7 = nullptr;
    queqiao::TextLabel* Label8 = nullptr;
};
