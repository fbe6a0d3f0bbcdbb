#include "Form1.h"

#include "ActivityModel.h"
#include "QueueModel.h"
#include "UsersModel.h"
#include "logger/LoggerPresenter.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

using settings::Setting;

namespace {
int twips(const QWidget* w, int t) {
    return t * w->logicalDpiX() / 1440;
}

QFont activityFont() {
    if (QFontDatabase::families().contains(QStringLiteral("Lucida Console")))
        return QFont(QStringLiteral("Lucida Console"));
    return QFontDatabase::systemFont(QFontDatabase::FixedFont);
}
} // namespace

Form1::Form1() {
    setWindowTitle(QStringLiteral("Kelvo IM Logger"));

    auto* title = new QLabel(QStringLiteral("Kelvo IM Logger"));
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    title->setFont(titleFont);
    m_label3 = new QLabel(QStringLiteral("version"));
    m_label3->setObjectName(QStringLiteral("Label3"));
    auto* top = new QHBoxLayout;
    top->addWidget(title);
    top->addStretch();
    top->addWidget(m_label3, 0, Qt::AlignBottom);

    auto* left = new QVBoxLayout;
    left->addWidget(buildFilters());
    left->addWidget(buildSettings());
    left->addStretch();
    auto* middle = new QHBoxLayout;
    middle->addLayout(left);
    middle->addWidget(buildUsers(), 1);
    middle->addWidget(buildQueue(), 1);

    m_rtb1 = new QListView;
    m_rtb1->setObjectName(QStringLiteral("rtb1"));
    m_rtb1->setUniformItemSizes(true);
    m_rtb1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_rtb1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_rtb1->setFont(activityFont());
    auto* copy = new QShortcut(QKeySequence::Copy, m_rtb1, nullptr, nullptr, Qt::WidgetShortcut);
    connect(copy, &QShortcut::activated, this, &Form1::copyActivity);

    m_viewlogs = new QPushButton(QStringLiteral("View Logs"));
    m_viewlogs->setObjectName(QStringLiteral("viewlogs"));
    m_btnclose = new QPushButton(QStringLiteral("Close"));
    m_btnclose->setObjectName(QStringLiteral("btnclose"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_viewlogs);
    buttons->addWidget(m_btnclose);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(middle, 2);
    layout->addWidget(new QLabel(QStringLiteral("Current Activity")));
    layout->addWidget(m_rtb1, 3);
    layout->addLayout(buttons);
    resize(twips(this, 11500), twips(this, 8200));
}

Form1::~Form1() = default;

QWidget* Form1::buildFilters() {
    auto* box = new QGroupBox(QStringLiteral("Filter: Include"));
    auto* layout = new QVBoxLayout(box);
    const std::pair<Setting, const char*> filters[] = {{Setting::messages, "Messages"},
                                                       {Setting::signons, "Sign On's"},
                                                       {Setting::signoffs, "Sign Off's"},
                                                       {Setting::hellos, "Hello's"},
                                                       {Setting::junk, "Junk"}};
    const char* names[] = {"messages", "signons", "signoffs", "hellos", "junk"};
    for (const auto& [which, caption] : filters) {
        auto* check = new QCheckBox(QString::fromLatin1(caption));
        check->setObjectName(QString::fromLatin1(names[static_cast<int>(which)]));
        check->setTristate(true); // a settings file may leave a switch greyed
        m_switches[static_cast<std::size_t>(which)] = check;
        layout->addWidget(check);
    }
    return box;
}

QWidget* Form1::buildSettings() {
    auto* box = new QGroupBox(QStringLiteral("Settings"));
    auto* layout = new QGridLayout(box);
    auto* start = new QCheckBox(QStringLiteral("Start with Windows"));
    start->setObjectName(QStringLiteral("startwithwindows"));
    start->setTristate(true);
    m_switches[static_cast<std::size_t>(Setting::startwithwindows)] = start;
    m_udpport = new QLineEdit;
    m_udpport->setObjectName(QStringLiteral("udpport"));
    m_udpport->setReadOnly(true); // the port changes through "Change Port" only
    m_udpport->setMaximumWidth(twips(this, 1200));
    m_changePort = new QPushButton(QStringLiteral("Change Port"));
    m_changePort->setObjectName(QStringLiteral("changePort"));
    layout->addWidget(start, 0, 0, 1, 2);
    layout->addWidget(new QLabel(QStringLiteral("UDP Port #")), 1, 0);
    layout->addWidget(m_udpport, 1, 1);
    layout->addWidget(m_changePort, 2, 0, 1, 2);
    return box;
}

QWidget* Form1::buildUsers() {
    auto* box = new QGroupBox(QStringLiteral("Users Online"));
    m_listView1 = new QTreeView;
    m_listView1->setObjectName(QStringLiteral("ListView1"));
    m_listView1->setRootIsDecorated(false);
    m_listView1->setUniformRowHeights(true);
    m_listView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_listView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_listView1->header()->setSectionsClickable(true);
    m_listView1->header()->setSortIndicatorShown(false);
    (new QVBoxLayout(box))->addWidget(m_listView1);
    return box;
}

QWidget* Form1::buildQueue() {
    auto* box = new QGroupBox(QStringLiteral("Message Buffer"));
    m_cue = new QListView;
    m_cue->setObjectName(QStringLiteral("cue"));
    m_cue->setUniformItemSizes(true);
    m_cue->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_traffic = new QProgressBar;
    m_traffic->setObjectName(QStringLiteral("traffic"));
    m_traffic->setRange(0, 100);
    m_traffic->setValue(0);
    m_traffic->setTextVisible(false);
    m_dropped = new QLabel;
    m_dropped->setObjectName(QStringLiteral("dropped"));
    m_dropped->setToolTip(QStringLiteral("Datagrams that arrived while the buffer was full"));
    auto* caption = new QHBoxLayout;
    caption->addWidget(new QLabel(QStringLiteral("Network Traffic")));
    caption->addStretch();
    caption->addWidget(m_dropped);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(m_cue);
    layout->addLayout(caption);
    layout->addWidget(m_traffic);
    return box;
}

void Form1::attach(LoggerPresenter& presenter) {
    m_presenter = &presenter;
    m_queueModel = new QueueModel(presenter.cue());
    m_queueModel->setParent(this);
    m_cue->setModel(m_queueModel);
    m_usersModel = new UsersModel(presenter.users());
    m_usersModel->setParent(this);
    m_listView1->setModel(m_usersModel);
    m_activityModel = new ActivityModel(presenter.activity().text());
    m_activityModel->setParent(this);
    m_rtb1->setModel(m_activityModel);
    m_listView1->setColumnHidden(UsersTable::keyColumn, true);
    m_listView1->setColumnWidth(UsersTable::userColumn, twips(this, 1500));
    m_listView1->setColumnWidth(UsersTable::computerColumn, twips(this, 2500));

    for (std::size_t i = 0; i < m_switches.size(); ++i)
        connect(m_switches[i], &QCheckBox::clicked, this, [this, i] {
            m_presenter->clickSwitch(static_cast<Setting>(i));
            changed(Part::switches);
        });
    connect(m_listView1->header(), &QHeaderView::sectionClicked, this, [this](int section) {
        m_presenter->clickColumn(static_cast<UsersTable::Column>(section));
    });
    connect(m_btnclose, &QPushButton::clicked, this, &QWidget::close);
    connect(m_changePort, &QPushButton::clicked, this, [this] { m_presenter->changePort(); });
    connect(m_viewlogs, &QPushButton::clicked, this, [this] { m_presenter->viewLogs(); });
    for (auto part :
         {Part::version, Part::switches, Part::port, Part::traffic, Part::users, Part::dropped})
        changed(part);
}

void Form1::detach() {
    m_cue->setModel(nullptr);
    m_listView1->setModel(nullptr);
    m_rtb1->setModel(nullptr);
    delete m_queueModel;
    delete m_usersModel;
    delete m_activityModel;
    m_queueModel = nullptr;
    m_usersModel = nullptr;
    m_activityModel = nullptr;
    m_presenter = nullptr;
}

void Form1::changed(Part part) {
    if (!m_presenter) return;
    switch (part) {
    case Part::version:
        m_label3->setText(QString::fromStdString(m_presenter->label3()));
        break;
    case Part::switches:
        for (std::size_t i = 0; i < m_switches.size(); ++i) {
            const int state = m_presenter->switchState(static_cast<Setting>(i));
            m_switches[i]->setCheckState(state == 1   ? Qt::Checked
                                         : state == 2 ? Qt::PartiallyChecked
                                                      : Qt::Unchecked);
        }
        break;
    case Part::port:
        m_udpport->setText(QString::fromStdString(m_presenter->udpport()));
        break;
    case Part::traffic:
        m_traffic->setValue(m_presenter->traffic());
        break;
    case Part::users:
        if (m_usersModel) m_usersModel->reset();
        break;
    case Part::dropped:
        m_dropped->setText(QString::fromStdString(m_presenter->droppedText()));
        break;
    }
}

void Form1::queueAppended(std::size_t count) {
    if (!m_queueModel) return;
    m_queueModel->appended(count);
    m_cue->scrollToBottom();
}

void Form1::queueHeadRemoved(std::size_t count) {
    if (m_queueModel) m_queueModel->headRemoved(count);
}

void Form1::userRowRemoving(std::size_t row) {
    if (!m_usersModel) return;
    const auto index = m_usersModel->index(static_cast<int>(row), UsersTable::userColumn);
    m_listView1->scrollTo(index);
    m_listView1->setCurrentIndex(index);
}

void Form1::activityAppended(std::string_view) {
    if (m_activityModel) m_activityModel->appended();
}

void Form1::activityReplaced() {
    if (m_activityModel) m_activityModel->replaced();
}

void Form1::activityCaretToEnd() {
    m_rtb1->scrollToBottom();
}

// The selected lines, in the order they were logged.
void Form1::copyActivity() {
    auto rows = m_rtb1->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end());
    QStringList lines;
    for (const auto& row : rows)
        lines << row.data().toString();
    if (!lines.isEmpty()) QApplication::clipboard()->setText(lines.join(QLatin1Char('\n')) + '\n');
}

void Form1::showWindow(bool minimised) {
    minimised ? showMinimized() : showNormal();
}

void Form1::minimise() {
    showMinimized();
}

void Form1::quitProgram() {
    QApplication::exit(0);
}

void Form1::closeEvent(QCloseEvent* event) {
    if (m_presenter && !m_presenter->ended() && m_presenter->closeRequested())
        event->ignore();
    else
        event->accept();
}
