// From a keystroke in a search box to the result list filled, its row
// selected and painted, on the real window (offscreen), beside a plain
// reference pane: every record lower-cased per search and a QListWidget
// refilled row by row. Also the window's creation, dictionary included.
#include "cdic.h"
#include "fakes.h"
#include "folding.h"
#include "frmdic.h"
#include "pattern.h"
#include "ratioreporter.h"
#include "resultlistmodel.h"
#include "scaledlists.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QTest>

#include <memory>

namespace {

using vorlan::ResourceProvider;

struct Keystroke {
    const char *label;
    bool english;
    bool exact;
    QString before; // already typed
    QString key;    // the key whose handling is measured
};

std::u16string_view view(const QString &s) {
    return {reinterpret_cast<const char16_t *>(s.utf16()), static_cast<std::size_t>(s.size())};
}

void sendKey(QWidget *box, const QString &text) {
    QTest::sendKeyEvent(QTest::Press, box, Qt::Key_unknown, text, Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Release, box, Qt::Key_unknown, text, Qt::NoModifier);
}

void windowCreation(benchmark::State &state, const ResourceProvider *lists) {
    vorlan::FakeDesktopServices services;
    for (auto _ : state) {
        vorlan::frmDic window(services, *lists);
        window.show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(window.winId());
    }
}

void keystrokeInWindow(benchmark::State &state, const ResourceProvider *lists, Keystroke k) {
    vorlan::FakeDesktopServices services;
    vorlan::frmDic window(services, *lists);
    window.show();
    QCoreApplication::processEvents();
    if (!k.english) {
        window.cmdLan_Click();
    }
    window.findChild<QCheckBox *>(QStringLiteral("chkMatch"))->setChecked(k.exact);
    auto *box = window.findChild<QLineEdit *>(k.english ? QStringLiteral("txtEnSearch")
                                                        : QStringLiteral("txtFaSearch"));
    auto *list = window.findChild<QListView *>(k.english ? QStringLiteral("lstEnFind")
                                                         : QStringLiteral("lstFaFind"));
    box->setFocus();
    for (auto _ : state) {
        box->setText(k.before);
        QElapsedTimer timer;
        timer.start();
        sendKey(box, k.key);
        list->viewport()->repaint();
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) / 1e9);
    }
    state.counters["rows"] = list->model()->rowCount();
    state.counters["selected"] = list->currentIndex().isValid() ? 1 : 0;
}

// The pane as a plain transcription would have it.
class ReferencePane {
public:
    ReferencePane(const vorlan::ResourceTools &words, bool exact) : words_(words), exact_(exact) {
        list_.resize(200, 150);
        list_.show();
        QObject::connect(&box_, &QLineEdit::textChanged, [this] { change(); });
    }
    QLineEdit &box() { return box_; }
    QListWidget &list() { return list_; }

private:
    void change() {
        list_.clear();
        const QString query = box_.text();
        if (!vorlan::isSearchable(query)) {
            return;
        }
        const QString folded = vorlan::foldQueryForSearch(exact_ ? query : u'*' + query + u'*');
        const vorlan::Pattern pattern(view(folded));
        for (int32_t i = 0; i <= words_.RecordNumber(); ++i) {
            const QString record = words_.GetIndex(i);
            const QString lower = record.toLower();
            if (pattern.matchesGeneral(view(lower))) {
                auto *item = new QListWidgetItem(vorlan::visibleText(record).toString(), &list_);
                item->setData(Qt::UserRole, i);
            }
        }
        const QList<QListWidgetItem *> same =
            list_.findItems(vorlan::foldQuery(query), Qt::MatchFixedString);
        if (!same.isEmpty()) {
            list_.setCurrentItem(same.first());
        }
    }

    const vorlan::ResourceTools &words_;
    bool exact_;
    QLineEdit box_;
    QListWidget list_;
};

void keystrokeInReference(benchmark::State &state, const ResourceProvider *lists, Keystroke k) {
    const vorlan::cDic dic(*lists);
    ReferencePane pane(k.english ? dic.enWords() : dic.faWords(), k.exact);
    for (auto _ : state) {
        pane.box().setText(k.before);
        QElapsedTimer timer;
        timer.start();
        sendKey(&pane.box(), k.key);
        pane.list().viewport()->repaint();
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) / 1e9);
    }
    state.counters["rows"] = pane.list().count();
}

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    int largeEnglish = 0;
    int largePersian = 0;
    static const vorlan::MemoryResourceProvider large =
        vorlan::bench::largeWordLists(&largeEnglish, &largePersian);
    benchmark::AddCustomContext("large lists", std::to_string(largeEnglish) + " English, " +
                                                   std::to_string(largePersian) +
                                                   " Persian records");
    const std::pair<const char *, const ResourceProvider *> sets[] = {
        {"built-in", &ResourceProvider::builtIn()}, {"large", &large}};
    const Keystroke keys[] = {
        {"er", true, false, QStringLiteral("e"), QStringLiteral("r")},
        {"an(fa)", false, false, QStringLiteral(u"\u0627"), QStringLiteral(u"\u0646")},
        {"exact [a-z]*", true, true, QStringLiteral("[a-z]"), QStringLiteral("*")},
        {"word water", true, false, QStringLiteral("wate"), QStringLiteral("r")},
    };
    benchmark::Initialize(&argc, argv);
    for (const auto &[name, lists] : sets) {
        const std::string prefix = std::string(name) + "/";
        benchmark::RegisterBenchmark((prefix + "window creation").c_str(), windowCreation, lists)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(20);
        for (const Keystroke &k : keys) {
            const std::string base = prefix + "keystroke " + k.label;
            benchmark::RegisterBenchmark((base + "/vorlan").c_str(), keystrokeInWindow, lists, k)
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond);
            benchmark::RegisterBenchmark((base + "/reference").c_str(), keystrokeInReference, lists,
                                         k)
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond);
        }
    }
    vorlan::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
