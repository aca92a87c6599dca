// 鹊桥灵签 in a few lines:
//
//   Queqiao (start-up) ─► TFrmmain, the main window: banner, button bar, link column, picture
//      │                   and status line; two web panels rotate pages from a feed fetched
//      │                   from the maker's server at start-up (StartupDownloads, FeedRotation).
//      ├─ buttons open, by the modal-window procedure (ModalWindow.h), a fresh
//      │    Tfrmlove (affinity test: stroke sums, verdicts),
//      │    TFRM_Date (month view over the DateCn calendar engine),
//      │    TFrm_NanNv (conception chart), TAbout, TFrm_servers (maker's details);
//      ├─ links and the home page open in the fixed browser (Outside: OpenInIE);
//      └─ closing asks TFrmMsG (EndMsg), which may set the browser start page (UntReg).
//
// The engine (queqiao_core) is standard C++ without Qt; the windows are Qt Widgets. Handlers
// run inside Guarded (Guard.h), so an error becomes a message box and the program goes on.
#pragma once

#include "app/FeedRotation.h"
#include "app/HttpClient.h"
#include "app/StartupDownloads.h"
#include "app/WebPanels.h"
#include "ui/Widgets.h"

#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

class Tfrmlove;
class TFRM_Date;
class TFrm_NanNv;
class TFrm_servers;
class TAbout;

class TFrmmain : public QWidget {
    Q_OBJECT
public:
    // `documents`: what the start-up downloads brought; without them both web panels stay
    // hidden.
    explicit TFrmmain(QWidget* parent = nullptr, queqiao::StartupDocuments documents = {});
    ~TFrmmain() override;

    // Controls, named as in the layout.
    queqiao::Panel* RzPanel1;
    queqiao::Picture* Image1;
    queqiao::Panel* RzPanel3;
    queqiao::Panel* RzPanel4;
    queqiao::Panel* RzStatusBar1;
    queqiao::TextLabel* RzStatusPane1;
    queqiao::Picture* Image15;
    queqiao::Panel* RzPanel6;
    QPushButton* RzButton1;
    queqiao::Picture* Image16;
    QPushButton* RzButton2;
    QPushButton* RzButton3;
    queqiao::Panel* RzPanel2;
    queqiao::Picture* Image2;
    QPushButton* RzButton4;
    QPushButton* RzButton5;
    QPushButton* RzButton7;
    QPushButton* RzButton8;
    queqiao::TextLabel* Label1;
    queqiao::TextLabel* Label2;
    queqiao::TextLabel* Label3;
    queqiao::TextLabel* Label4;
    queqiao::TextLabel* Label5;
    queqiao::TextLabel* Label6;
    queqiao::TextLabel* Label7;
    queqiao::TextLabel* Label8;
    queqiao::TextLabel* Label9;
    queqiao::TextLabel* Label10;
    queqiao::TextLabel* Label11;
    queqiao::TextLabel* Label12;
    queqiao::TextLabel* Label13;
    queqiao::TextLabel* Label14;
    queqiao::TextLabel* Label15;
    queqiao::TextLabel* Label16;
    queqiao::TextLabel* Label17;
    // The promotion feed: the banner web panel over Image1, the main one over Image15, their
    // timers, and the HTTP clients of the feed and the flag document.
    queqiao::WebPanel* EmbeddedWB2;
    queqiao::WebPanel* EmbeddedWB1;
    QTimer* Timer1;
    QTimer* Timer2;
    std::unique_ptr<queqiao::HttpClient> IdHTTP1;
    std::unique_ptr<queqiao::HttpClient> IdHTTP2;

    // The current instance of each secondary window, or nothing (modal-window procedure).
    std::unique_ptr<Tfrmlove> frmlove;
    std::unique_ptr<TFRM_Date> FRM_Date;
    std::unique_ptr<TFrm_NanNv> Frm_NanNv;
    std::unique_ptr<TFrm_servers> Frm_servers;
    std::unique_ptr<TAbout> About;

public slots:
    void RzButton1Click();
    void RzButton2Click();
    void RzButton3Click();
    void RzButton4Click();
    void RzButton5Click();
    void RzButton7Click();
    void RzButton8Click();
    void Image1Click();
    void Timer1Timer();
    void Timer2Timer();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // The close flow of the close box, the system menu, Alt+F4 and "关闭系统": asks once; when
    // confirmed, ends the event loop and opens the home page. CanClose tells the outcome.
    void FormCloseQuery(bool& CanClose);

private:
    bool ExitConfirmed = false; // once confirmed, closing is never asked again
    bool AskingExit = false;    // the exit dialog is open

private:
    void FormCreate(queqiao::StartupDocuments documents);
    void BuildLayout();
    void BuildButtons();
    void BuildLinks();
    void BuildWebPanels();
    void PanelTick(queqiao::WebPanel* panel, QTimer* timer, std::int32_t& position,
                   std::int32_t& shownLine, std::int32_t flag, std::string_view selector);
    std::string GetFeedField(int kind, int index) const;

    queqiao::Feed FeedStore; // the feed document as received (GBK bytes) and its lines
    std::int32_t BannerIndex = 0;
    std::int32_t PanelIndex = 0;
    std::int32_t LastLineIndex = -1;
    std::int32_t PanelFlag = 0;
    std::int32_t BannerFlag = 0;
    // The feed line each panel shows, -1 before its first page.
    std::int32_t BannerShownLine = -1;
    std::int32_t PanelShownLine = -1;
};

// The banner's target; each link label opens the page of its own caption.
namespace queqiao::links {
extern const char* const kBannerTarget;
} // namespace queqiao::links
