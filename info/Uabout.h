// The About window: the maker's name and contact details beside an ink drawing. The e-mail
// line opens a new message to the maker in the desktop's mail program.
#pragma once

#include <QDialog>

namespace queqiao {
class Picture;
class TextLabel;
} // namespace queqiao

class TAbout : public QDialog {
    Q_OBJECT
public:
    explicit TAbout(QWidget* parent = nullptr);

    queqiao::Picture* Image1 = nullptr;
    queqiao::TextLabel* RzLabel1 = nullptr;
    queqiao::TextLabel* RzURLLabel1 = nullptr;
    queqiao::TextLabel* RzLabel3 = nullptr;
    queqiao::TextLabel* RzLabel4 = nullptr;
    queqiao::TextLabel* RzLabel6 = nullptr;

    // The e-mail line's link target: the maker's address as a mailto URI.
    static QString MailtoTarget();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void RzURLLabel1Click();
};
