#include "frmdic.h"

#include "aboutbox.h"
#include "cdic.h"
#include "clipboardwatch.h"
#include "folding.h"
#include "fonts.h"
#include "inputlanguage.h"
#include "pastelineedit.h"
#include "resultlistmodel.h"
#include "services.h"
#include "speech.h"
#include "texts.h"
#include "top.h"
#include "widgets.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <exception>

namespace vorlan {

namespace {

// Sizes of the design, in twips.
constexpr int kClientWidth = 5745;
constexpr int kPaneHeight = 3075;
constexpr int kToolsHeight = 615;
constexpr int kOuterHeightAtLoad = 4260;
// Title bar and borders the design leaves room for; assumed until the
// desktop reports the real frame.
constexpr int kAssumedFrameHeight = kOuterHeightAtLoad - kPaneHeight - kToolsHeight;
constexpr int kClipInterval = 500;     // ms
constexpr int kActivationGrace = 500;  // ms
constexpr int kPlacementWindow = 2000; // ms after the first show

// Resume-next: a failing step is skipped without a message.
template <typename Step> void step(Step &&s) {
    try {
        s();
    } catch (const std::exception &) {
    }
}

QString meaningForDisplay(QStringView meaning) {
    QString text = visibleText(meaning).toString();
    text.replace(u'-', u',');
    return text;
}

void paintWithButtonFace(QWidget *control) {
    QPalette palette = control->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    control->setPalette(palette);
}

} // namespace

frmDic::frmDic(DesktopServices &services, const ResourceProvider &wordLists, QWidget *parent)
    : QWidget(parent), services_(services), wordLists_(wordLists), twips_(screen()) {
    setObjectName(QStringLiteral("frmDic"));
    // A fixed dialog-like window: it cannot be maximised or resized.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(texts::kTitleEnglishPane);
    setWindowIcon(QIcon(
        renderSvg(QStringLiteral(":/ui/icons/app.svg"), QSize(32, 32), qApp->devicePixelRatio())));
    speech_ = std::make_unique<Speech>(services_.speech());
    inputLanguage_ = std::make_unique<InputLanguageSwitcher>(services_.keyboard());
    createControls();
    qApp->installEventFilter(this);
    Form_Load();
}

frmDic::~frmDic() = default;

void frmDic::place(QWidget *control, int left, int top, int width, int height) {
    control->setGeometry(twips_.toPixelsX(left), twips_.toPixelsY(top), twips_.toPixelsX(width),
                         twips_.toPixelsY(height));
}

void frmDic::createControls() {
    const QFont font = dialogFont();
    resize(twips_.toPixelsX(kClientWidth), twips_.toPixelsY(kPaneHeight * 2 + kToolsHeight));

    // The English pane: search box and results on the left, meaning on the right.
    picEn = new QWidget(this);
    picEn->setObjectName(QStringLiteral("picEn"));
    Frame3 = new QGroupBox(picEn);
    Frame3->setObjectName(QStringLiteral("Frame3"));
    place(Frame3, 2920, 50, 2700, 3000);
    txtEnMean = new MeaningBox(Frame3);
    txtEnMean->setObjectName(QStringLiteral("txtEnMean"));
    txtEnMean->setFont(font);
    // Absolute: a plain side is mirrored for right-to-left text, and the
    // boxes keep Persian text at the right, English at the left, whatever
    // the direction of what they hold.
    txtEnMean->setAlignment(Qt::AlignRight | Qt::AlignAbsolute);
    paintWithButtonFace(txtEnMean);
    place(txtEnMean, 120, 240, 2450, 2610);
    frEn = new QGroupBox(picEn);
    frEn->setObjectName(QStringLiteral("frEn"));
    place(frEn, 125, 50, 2700, 3000);
    txtEnSearch = new PasteLineEdit(services_.clipboard(), frEn);
    txtEnSearch->setObjectName(QStringLiteral("txtEnSearch"));
    txtEnSearch->setFont(font);
    txtEnSearch->setAlignment(Qt::AlignLeft | Qt::AlignAbsolute);
    place(txtEnSearch, 120, 240, 2450, 285);
    boundUndoHistory(txtEnSearch);
    lstEnFind = new ResultListView(frEn);
    lstEnFind->setObjectName(QStringLiteral("lstEnFind"));
    lstEnFind->setFont(font);
    paintWithButtonFace(lstEnFind);
    place(lstEnFind, 120, 650, 2450, 2205);
    enRows_ = new ResultListModel(this);
    lstEnFind->setModel(enRows_);
    picEn->hide();

    // The tool strip.
    picTools = new QWidget(this);
    picTools->setObjectName(QStringLiteral("picTools"));
    cmdSpeakIt = new QPushButton(picTools);
    cmdSpeakIt->setObjectName(QStringLiteral("cmdSpeakIt"));
    if (hasWebdings()) {
        cmdSpeakIt->setFont(webdingsFont());
        cmdSpeakIt->setText(QStringLiteral("X")); // the speaker of Webdings
    } else {
        cmdSpeakIt->setIcon(QIcon(renderSvg(QStringLiteral(":/ui/icons/speaker.svg"), QSize(16, 16),
                                            qApp->devicePixelRatio())));
        cmdSpeakIt->setIconSize(QSize(16, 16));
    }
    cmdSpeakIt->setAccessibleName(QStringLiteral("Speak"));
    place(cmdSpeakIt, 4740, 225, 400, 300);
    tmrClip = new QTimer(picTools);
    tmrClip->setObjectName(QStringLiteral("tmrClip"));
    tmrClip->setInterval(kClipInterval);
    picHelpIcon = new PictureBox(picTools);
    picHelpIcon->setObjectName(QStringLiteral("picHelpIcon"));
    picHelpIcon->setPixmap(
        renderSvg(QStringLiteral(":/ui/icons/help.svg"), QSize(16, 16), qApp->devicePixelRatio()));
    picHelpIcon->setAccessibleName(QStringLiteral("About"));
    place(picHelpIcon, 120, 255, 240, 240);
    cmdLan = new QPushButton(texts::kEnglishCaption, picTools);
    cmdLan->setObjectName(QStringLiteral("cmdLan"));
    place(cmdLan, 5240, 225, 400, 300);
    chkMatch = new QCheckBox(texts::kExactMatch, picTools);
    chkMatch->setObjectName(QStringLiteral("chkMatch"));
    chkMatch->setFont(font);
    place(chkMatch, 3480, 278, 1215, 195);
    chkClip = new QCheckBox(texts::kClipboardWatch, picTools);
    chkClip->setObjectName(QStringLiteral("chkClip"));
    chkClip->setFont(font);
    place(chkClip, 2280, 278, 1095, 195);
    fitToContents(chkMatch); // 195 twips are less than the indicator
    fitToContents(chkClip);
    Top1 = new vorlan::Top(services_.stacking(), picTools);
    Top1->setObjectName(QStringLiteral("Top1"));
    Top1->setToolTip(texts::kPinToolTip);
    place(Top1, 555, 250, 240, 210);
    Frame2 = new QFrame(picTools);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->setFrameShape(QFrame::HLine);
    Frame2->setFrameShadow(QFrame::Sunken);
    place(Frame2, 105, 0, 5535, 150);

    // The Persian pane: search box and results on the right, meaning on the left.
    picFa = new QWidget(this);
    picFa->setObjectName(QStringLiteral("picFa"));
    Frame1 = new QGroupBox(picFa);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    place(Frame1, 2920, 50, 2700, 3000);
    txtFaSearch = new PasteLineEdit(services_.clipboard(), Frame1);
    txtFaSearch->setObjectName(QStringLiteral("txtFaSearch"));
    txtFaSearch->setFont(font);
    txtFaSearch->setAlignment(Qt::AlignRight | Qt::AlignAbsolute);
    place(txtFaSearch, 120, 240, 2450, 285);
    boundUndoHistory(txtFaSearch);
    lstFaFind = new ResultListView(Frame1);
    lstFaFind->setObjectName(QStringLiteral("lstFaFind"));
    lstFaFind->setFont(font);
    paintWithButtonFace(lstFaFind);
    place(lstFaFind, 120, 650, 2450, 2205);
    faRows_ = new ResultListModel(this);
    faRows_->setRightAligned(true);
    lstFaFind->setModel(faRows_);
    frFa = new QGroupBox(picFa);
    frFa->setObjectName(QStringLiteral("frFa"));
    place(frFa, 125, 50, 2700, 3000);
    txtFaMean = new MeaningBox(frFa);
    txtFaMean->setObjectName(QStringLiteral("txtFaMean"));
    txtFaMean->setFont(font);
    txtFaMean->setAlignment(Qt::AlignLeft | Qt::AlignAbsolute);
    paintWithButtonFace(txtFaMean);
    place(txtFaMean, 120, 240, 2450, 2610);

    picTools->raise(); // the strip covers a pane that reaches below its top
    setTabOrder();
    arrangeAlignedPanes();

    connect(txtEnSearch, &QLineEdit::textChanged, this, [this] { txtEnSearch_Change(); });
    connect(txtFaSearch, &QLineEdit::textChanged, this, [this] { txtFaSearch_Change(); });
    connect(lstEnFind->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { lstEnFind_Click(); });
    connect(lstFaFind->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { lstFaFind_Click(); });
    connect(lstEnFind, &ResultListView::dblClicked, this, [this] { lstEnFind_DblClick(); });
    connect(lstFaFind, &ResultListView::dblClicked, this, [this] { lstFaFind_DblClick(); });
    connect(txtEnMean, &MeaningBox::dblClicked, this, [this] { txtEnMean_DblClick(); });
    connect(txtFaMean, &MeaningBox::dblClicked, this, [this] { txtFaMean_DblClick(); });
    connect(chkMatch, &QCheckBox::stateChanged, this, [this] { chkMatch_Click(); });
    connect(chkClip, &QCheckBox::stateChanged, this, [this] { chkClip_Click(); });
    connect(tmrClip, &QTimer::timeout, this, [this] { tmrClip_Timer(); });
    connect(cmdLan, &QPushButton::clicked, this, [this] { cmdLan_Click(); });
    connect(cmdSpeakIt, &QPushButton::clicked, this, [this] { cmdSpeakIt_Click(); });
    connect(picHelpIcon, &PictureBox::clicked, this, [this] { picHelpIcon_Click(); });
}

void frmDic::setTabOrder() {
    // By tab index; containers and frames take no focus.
    QWidget *const order[] = {txtFaSearch, txtFaMean, txtEnSearch, lstEnFind, lstFaFind,
                              txtEnMean,   chkClip,   chkMatch,    cmdLan,    cmdSpeakIt};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
        QWidget::setTabOrder(order[i], order[i + 1]);
    }
    picHelpIcon->setFocusPolicy(Qt::NoFocus);
}

// Both panes are aligned to the top edge, in design order, and the tool strip
// to the bottom edge: whichever pane is shown sits at the top.
void frmDic::arrangeAlignedPanes() {
    const int paneHeight = twips_.toPixelsY(kPaneHeight);
    const int toolsHeight = twips_.toPixelsY(kToolsHeight);
    int y = 0;
    for (QWidget *pane : {picFa, picEn}) {
        if (pane && !pane->isHidden()) {
            pane->setGeometry(0, y, width(), paneHeight);
            y += paneHeight;
        }
    }
    if (picTools) {
        picTools->setGeometry(0, height() - toolsHeight, width(), toolsHeight);
    }
}

void frmDic::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    arrangeAlignedPanes();
}

QMargins frmDic::frameMarginsPx() const {
    const QWindow *window = windowHandle();
    if (window && window->isVisible()) {
        return window->frameMargins();
    }
    return QMargins(0, twips_.toPixelsY(kAssumedFrameHeight), 0, 0);
}

// The outer height is fixed in twips, so the client area is what the title
// bar and borders leave of it; re-applied once the desktop reports them.
void frmDic::applyOuterHeight() {
    const QMargins frame = frameMarginsPx();
    appliedMargins_ = frame;
    const int client =
        std::max(0, twips_.toPixelsY(outerHeightTwips_) - frame.top() - frame.bottom());
    setFixedSize(twips_.toPixelsX(kClientWidth), client);
}

double frmDic::screenWidthTwips() const {
    const QScreen *s = screen();
    return s ? twips_.fromPixelsX(s->geometry().width()) : 0;
}

double frmDic::screenHeightTwips() const {
    const QScreen *s = screen();
    return s ? twips_.fromPixelsY(s->geometry().height()) : 0;
}

double frmDic::outerWidthTwips() const {
    const QMargins frame = frameMarginsPx();
    return twips_.fromPixelsX(width() + frame.left() + frame.right());
}

double frmDic::outerHeightTwips() const {
    const QMargins frame = frameMarginsPx();
    return twips_.fromPixelsY(height() + frame.top() + frame.bottom());
}

void frmDic::setLeftTwips(float left) {
    left_ = left;
    move(twips_.toPixelsX(left), pos().y());
}

void frmDic::setTopTwips(float top) {
    top_ = top;
    move(pos().x(), twips_.toPixelsY(top));
}

void frmDic::Form_Load() {
    outerHeightTwips_ = kOuterHeightAtLoad;
    applyOuterHeight();
    mDic::PlaceForm(*this);
    Dic = std::make_unique<cDic>(wordLists_);
    // The pin is bound to this window, whose handle exists from here on.
    Top1->UserControl_ReadProperties({});
}

bool frmDic::event(QEvent *event) {
    switch (event->type()) {
    case QEvent::WindowActivate:
        runActivateOnce();
        checkFrame();
        break;
    case QEvent::Show:
        if (!shownAt_.isValid()) {
            shownAt_.start();
        }
        // Where the desktop does not activate a new window, start anyway.
        QTimer::singleShot(kActivationGrace, this, [this] { runActivateOnce(); });
        QTimer::singleShot(0, this, [this] { checkFrame(); });
        break;
    case QEvent::Move:
    case QEvent::Resize:
        checkFrame();
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

void frmDic::runActivateOnce() {
    if (!activated_) {
        activated_ = true;
        Form_Activate();
    }
}

// Once the desktop has put its frame around the window, the client area is
// made to fit the outer height again.
// While the window is new, it is also placed again by its real outer size,
// as it would have been had the frame been known at load.
void frmDic::checkFrame() {
    if (isVisible() && frameMarginsPx() != appliedMargins_) {
        applyOuterHeight();
        if (shownAt_.isValid() && shownAt_.elapsed() < kPlacementWindow) {
            mDic::PlaceForm(*this);
        }
    }
}

int16_t frmDic::keyCodeOf(int qtKey) {
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) {
        return static_cast<int16_t>(qtKey); // 'A'..'Z' share their codes
    }
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
        return static_cast<int16_t>(qtKey);
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) {
        return static_cast<int16_t>(kKeyF1 + (qtKey - Qt::Key_F1));
    }
    switch (qtKey) {
    case Qt::Key_Escape:
        return kKeyEscape;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
        return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Alt:
        return 18;
    case Qt::Key_Space:
        return 32;
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    case Qt::Key_End:
        return 35;
    case Qt::Key_Home:
        return 36;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Insert:
        return 45;
    case Qt::Key_Delete:
        return 46;
    default:
        return 0;
    }
}

bool frmDic::eventFilter(QObject *watched, QEvent *event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        // Key preview: once per key press, at the control it is meant for,
        // before that control sees it. The key is never swallowed. The
        // control is the window's own focus child, as the key was delivered:
        // the application's focus is gone while a modal box closes, and an
        // unhandled key travelling up to the window must not count again.
        auto *widget = qobject_cast<QWidget *>(watched);
        if (!widget || widget->window() != this) {
            break;
        }
        QWidget *target = focusWidget();
        if (widget != (target ? target : this)) {
            break;
        }
        const auto *key = static_cast<QKeyEvent *>(event);
        int16_t keyCode = keyCodeOf(key->key());
        int16_t shift = static_cast<int16_t>(((key->modifiers() & Qt::ShiftModifier) ? 1 : 0) |
                                             ((key->modifiers() & Qt::ControlModifier) ? 2 : 0) |
                                             ((key->modifiers() & Qt::AltModifier) ? 4 : 0));
        Form_KeyDown(keyCode, shift);
        break;
    }
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
        if (watched == picEn || watched == picFa) {
            arrangeAlignedPanes();
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void frmDic::Form_KeyDown(int16_t &KeyCode, int16_t & /*Shift*/) {
    if (KeyCode == kKeyF1) {
        step([this] { picHelpIcon_Click(); });
    }
    if (KeyCode == kKeyEscape) {
        togglePane();
    }
}

void frmDic::togglePane() {
    if (!picFa->isHidden()) {
        step([this] { picFa->hide(); });
        step([this] { picEn->show(); });
        step([this] { txtEnSearch->setFocus(Qt::OtherFocusReason); });
        step([this] { inputLanguage_->switchTo(2, txtEnSearch); });
        step([this] { setWindowTitle(texts::kTitleEnglishPane); });
        step([this] { cmdLan->setText(texts::kEnglishCaption); });
    } else {
        step([this] { picEn->hide(); });
        step([this] { picFa->show(); });
        step([this] { txtFaSearch->setFocus(Qt::OtherFocusReason); });
        // The chord, then the Persian layout once the chord has been handled;
        // nothing waits here, so that the switch ends before the next event.
        step([this] { inputLanguage_->switchTo(1, txtFaSearch); });
        step([this] { setWindowTitle(texts::kTitlePersianPane); });
        step([this] { cmdLan->setText(texts::kPersianCaption); });
    }
}

void frmDic::cmdLan_Click() {
    int16_t keyCode = kKeyEscape;
    int16_t shift = 0;
    Form_KeyDown(keyCode, shift);
}

void frmDic::Form_Activate() {
    cmdLan_Click();
}

int frmDic::matchValue() const {
    switch (chkMatch->checkState()) {
    case Qt::Unchecked:
        return 0;
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2;
    }
    return 0;
}

// Both panes search the same way; `english` picks the controls and the
// dictionary's members of one of them.
void frmDic::fillPane(bool english) {
    ResultListModel *rows = english ? enRows_ : faRows_;
    ResultListView *list = english ? lstEnFind : lstFaFind;
    QLineEdit *search = english ? txtEnSearch : txtFaSearch;
    MeaningBox *meaning = english ? txtEnMean : txtFaMean;

    rows->clear();
    meaning->setPlainText(QString());
    PaneRows found = Dic->Lookup(english ? Language::English : Language::Persian, search->text(),
                                 matchValue() != 0);
    if (found.records.empty()) {
        return;
    }
    const int selected = found.selected;
    rows->setRows(english ? &Dic->enWords() : &Dic->faWords(), std::move(found.records));
    if (selected >= 0) {
        list->selectRow(selected); // runs the list's click handler
    }
}

void frmDic::showMeaning(bool english) {
    ResultListView *list = english ? lstEnFind : lstFaFind;
    const int row = list->selectedRow();
    if (row < 0) {
        return;
    }
    const ResultListModel *rows = english ? enRows_ : faRows_;
    const int32_t index = rows->itemData(row);
    const QString text = english ? Dic->GetEnMean(index) : Dic->GetFaMean(index);
    (english ? txtEnMean : txtFaMean)->setPlainText(meaningForDisplay(text));
}

void frmDic::txtEnSearch_Change() {
    fillPane(true);
}
void frmDic::txtFaSearch_Change() {
    fillPane(false);
}
void frmDic::lstEnFind_Click() {
    showMeaning(true);
}
void frmDic::lstFaFind_Click() {
    showMeaning(false);
}

void frmDic::lstEnFind_DblClick() {
    const int row = lstEnFind->selectedRow();
    txtEnSearch->setText(row < 0 ? QString() : enRows_->rowText(row).toString());
}

void frmDic::lstFaFind_DblClick() {
    const int row = lstFaFind->selectedRow();
    txtFaSearch->setText(row < 0 ? QString() : faRows_->rowText(row).toString());
}

void frmDic::chkMatch_Click() {
    txtEnSearch_Change();
    txtFaSearch_Change();
}

void frmDic::txtEnMean_DblClick() {
    if (txtEnMean->selectedText().isEmpty()) {
        return;
    }
    int16_t keyCode = kKeyEscape;
    int16_t shift = 0;
    Form_KeyDown(keyCode, shift);
    txtFaSearch->setText(trimSpaces(txtEnMean->selectedText()).toString());
}

void frmDic::txtFaMean_DblClick() {
    if (txtFaMean->selectedText().isEmpty()) {
        return;
    }
    int16_t keyCode = kKeyEscape;
    int16_t shift = 0;
    Form_KeyDown(keyCode, shift);
    txtEnSearch->setText(trimSpaces(txtFaMean->selectedText()).toString());
}

void frmDic::chkClip_Click() {
    // Only a tick runs the watcher; a greyed box does not.
    if (chkClip->checkState() == Qt::Checked) {
        tmrClip->start();
    } else {
        tmrClip->stop();
        ++clipWatchRun_;
    }
}

// The clipboard's owner is another program, which may be slow or stopped: its
// text is read off this thread, and a tick that comes while the last read is
// still under way does nothing.
void frmDic::tmrClip_Timer() {
    step([this] {
        services_.clipboard().readText(this, [this, run = clipWatchRun_](const QString &text) {
            if (run == clipWatchRun_) {
                clipTextRead(text);
            }
        });
    });
}

void frmDic::clipTextRead(const QString &text) {
    ClipWord clip;
    step([&] { clip = takeClipWord(text); });
    if (clip.word == LastClipWord) {
        return;
    }
    if (clip.language == ClipLanguage::English) {
        step([&] { txtEnSearch->setText(clip.word); });
        step([&] {
            if (cmdLan->text() == texts::kPersianCaption) {
                cmdLan_Click();
            }
        });
    }
    if (clip.language == ClipLanguage::Persian) {
        step([&] { txtFaSearch->setText(clip.word); });
        step([&] {
            if (cmdLan->text() == texts::kEnglishCaption) {
                cmdLan_Click();
            }
        });
    }
    LastClipWord = clip.word;
}

void frmDic::cmdSpeakIt_Click() {
    if (!picFa->isHidden()) {
        speech_->SpeakText(txtFaMean->toPlainText());
        txtFaSearch->setFocus(Qt::OtherFocusReason);
    } else {
        speech_->SpeakText(txtEnSearch->text());
        txtEnSearch->setFocus(Qt::OtherFocusReason);
    }
}

void frmDic::picHelpIcon_Click() {
    showAboutBox(services_.messageBox(), this);
}

} // namespace vorlan
