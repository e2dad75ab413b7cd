#pragma once

#include "mdic.h"
#include "resourceprovider.h"
#include "twips.h"

#include <QElapsedTimer>
#include <QWidget>

#include <cstdint>
#include <memory>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QTimer;

namespace vorlan {

class cDic;
class DesktopServices;
class InputLanguageSwitcher;
class MeaningBox;
class PictureBox;
class ResultListModel;
class ResultListView;
class Speech;
class Top;

// The dictionary's one window: an English pane and a Persian pane, one shown
// at a time, above a tool strip. Every lookup sets a search box's text and
// lets that box's change handler search; every pane switch goes through the
// Esc action of Form_KeyDown. The handlers are public so that they can be
// driven directly, as the window's own controls drive them.
class frmDic : public QWidget, public PlacedWindow {
    Q_OBJECT
public:
    // The dictionary is built from `wordLists` (the built-in lists by
    // default) before the constructor returns; a missing list throws
    // ResourceNotFoundError.
    explicit frmDic(DesktopServices &services,
                    const ResourceProvider &wordLists = ResourceProvider::builtIn(),
                    QWidget *parent = nullptr);
    ~frmDic() override;

    void Form_Load();
    void Form_Activate();
    // Sees every key press in the window before the focused control does;
    // the key is passed on unchanged. F1 shows the About box, Esc switches
    // the pane; Shift, Ctrl and Alt are not looked at.
    void Form_KeyDown(int16_t &KeyCode, int16_t &Shift);
    void cmdLan_Click();

    void txtEnSearch_Change();
    void lstEnFind_Click();
    void lstEnFind_DblClick();
    void txtFaSearch_Change();
    void lstFaFind_Click();
    void lstFaFind_DblClick();
    void chkMatch_Click();

    void txtEnMean_DblClick();
    void txtFaMean_DblClick();

    void chkClip_Click();
    // Asks for the clipboard's text; the tick's steps run when it comes
    // (clipTextRead). Skipped while the last tick's read is under way.
    void tmrClip_Timer();

    void cmdSpeakIt_Click();
    void picHelpIcon_Click();

    const cDic &dictionary() const { return *Dic; }
    const QString &lastClipWord() const { return LastClipWord; }
    float leftTwips() const { return left_; }
    float topTwips() const { return top_; }

    // PlacedWindow, in twips.
    double screenWidthTwips() const override;
    double screenHeightTwips() const override;
    double outerWidthTwips() const override;
    double outerHeightTwips() const override;
    void setLeftTwips(float left) override;
    void setTopTwips(float top) override;

    // Desktop key codes of the keys the window knows.
    static constexpr int16_t kKeyEscape = 27;
    static constexpr int16_t kKeyF1 = 112;
    // The desktop key code of a Qt key, 0 for keys without one.
    static int16_t keyCodeOf(int qtKey);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool event(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void createControls();
    void setTabOrder();
    void place(QWidget *control, int left, int top, int width, int height);
    void arrangeAlignedPanes();
    void applyOuterHeight();
    void checkFrame();
    void runActivateOnce();
    QMargins frameMarginsPx() const;
    void togglePane();
    void clipTextRead(const QString &text);
    void fillPane(bool english);
    void showMeaning(bool english);
    int matchValue() const;

    DesktopServices &services_;
    const ResourceProvider &wordLists_;
    Twips twips_;

    // Controls, named as their object names.
    QWidget *picEn = nullptr;
    QGroupBox *Frame3 = nullptr;
    MeaningBox *txtEnMean = nullptr;
    QGroupBox *frEn = nullptr;
    QLineEdit *txtEnSearch = nullptr;
    ResultListView *lstEnFind = nullptr;
    QWidget *picTools = nullptr;
    QPushButton *cmdSpeakIt = nullptr;
    QTimer *tmrClip = nullptr;
    PictureBox *picHelpIcon = nullptr;
    QPushButton *cmdLan = nullptr;
    QCheckBox *chkMatch = nullptr;
    QCheckBox *chkClip = nullptr;
    vorlan::Top *Top1 = nullptr;
    QFrame *Frame2 = nullptr;
    QWidget *picFa = nullptr;
    QGroupBox *Frame1 = nullptr;
    QLineEdit *txtFaSearch = nullptr;
    ResultListView *lstFaFind = nullptr;
    QGroupBox *frFa = nullptr;
    MeaningBox *txtFaMean = nullptr;

    ResultListModel *enRows_ = nullptr;
    ResultListModel *faRows_ = nullptr;

    std::unique_ptr<cDic> Dic;
    QString LastClipWord;
    // Bumped when the watcher is switched off: reads asked before are void.
    quint64 clipWatchRun_ = 0;
    std::unique_ptr<Speech> speech_;
    // The keyboard layout of the shown pane, while the window is active.
    std::unique_ptr<InputLanguageSwitcher> inputLanguage_;

    float left_ = 0;
    float top_ = 0;
    double outerHeightTwips_ = 0;
    QMargins appliedMargins_;
    bool activated_ = false;
    QElapsedTimer shownAt_;
};

} // namespace vorlan
