#include "Form1.h"

#include "LogListModel.h"
#include "LogTextView.h"
#include "platform/qt/DisplayText.h"
#include "viewer/AllFilesSearch.h"
#include "viewer/ViewerPresenter.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleOption>
#include <QTreeView>

namespace {
QFont designFont(const QString& family, qreal points, bool bold = false) {
    QFont f(family);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

QString utf8(const std::string& s) {
    return QString::fromStdString(s);
}

QPushButton* button(QWidget* parent, const char* text, const char* toolTip) {
    auto* b = new QPushButton(QString::fromLatin1(text), parent);
    b->setToolTip(QString::fromLatin1(toolTip));
    return b;
}

// A page of log lines under a magnifying glass.
QPixmap viewerPicture(int size) {
    QPixmap picture(size, size);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal u = size / 16.0;
    p.setPen(QPen(Qt::darkGray, u * 0.5));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(u * 2, u, u * 9, u * 12));
    p.setPen(QPen(QColor(0, 0, 160), u * 0.6));
    for (int line = 0; line < 5; ++line)
        p.drawLine(QPointF(u * 3.5, u * (3 + 2 * line)), QPointF(u * 9.5, u * (3 + 2 * line)));
    p.setPen(QPen(QColor(200, 0, 0), u * 1.2));
    p.setBrush(QColor(255, 255, 255, 160));
    p.drawEllipse(QPointF(u * 10, u * 9.5), u * 3, u * 3);
    p.drawLine(QPointF(u * 12.2, u * 11.7), QPointF(u * 15, u * 14.5));
    return picture;
}
} // namespace

Form1::Form1() : m_layout(this, {9075, 7695}) {
    setWindowTitle(QStringLiteral("Log File Viewer"));
    createControls();
    placeControls();
    connectControls();
    fitTexts();
}

Form1::~Form1() {
    while (m_busyDepth > 0)
        setBusy(false);
}

void Form1::createControls() {
    const QString arial = QStringLiteral("Arial"), trebuchet = QStringLiteral("Trebuchet MS");
    Label2 = new QLabel(QStringLiteral("Select Log File"), this);
    Label2->setFont(designFont(arial, 9.75, true));
    refresh = button(this, "Refresh", "Refresh List of Log Files");

    ListView1 = new QTreeView(this);
    ListView1->setFont(designFont(arial, 8.25));
    ListView1->setRootIsDecorated(false);
    ListView1->setUniformRowHeights(true); // keeps a list of 100,000 logs quick
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setAllColumnsShowFocus(true);
    m_model = new LogListModel(this);
    ListView1->setModel(m_model);
    ListView1->header()->setStretchLastSection(false);
    ListView1->header()->setSectionsMovable(false);
    shapeColumns();

    Label1 = new QLabel(this);
    Label1->setFont(designFont(arial, 9.75));
    Label1->setStyleSheet(QStringLiteral("QLabel { background: #e0e0e0; color: black; }"));
    deletefile = button(this, "Delete Log File", "Delete this log file");
    deletefile->setEnabled(false);

    RichTextBox1 = new LogTextView(this);
    RichTextBox1->setFont(designFont(arial, 8.25));

    Frame1 = new QGroupBox(QStringLiteral("Search for:"), this);
    Text2 = new QLineEdit(Frame1);
    Text2->setToolTip(QStringLiteral("Enter text to search for here"));
    Label3 = new QLabel(QStringLiteral("Not Found"), Frame1);
    Label3->setFont(designFont(font().family(), font().pointSizeF(), true));
    Label3->setStyleSheet(QStringLiteral("QLabel { color: #800000; }"));
    searchAll = button(Frame1, "Search All files", "Search all log files");

    Picture1 = new QLabel(this);
    Label7 = new QLabel(QStringLiteral("Kelvo IM Log Viewer"), this);
    Label7->setFont(designFont(trebuchet, 10, true));
    Label4 = new QLabel(QStringLiteral("version"), this);
    Label4->setFont(designFont(trebuchet, 9));
    closeout = button(this, "Close", "Close Log file viewer");
    deletefile->raise(); // it lies on the right end of the header
}

int Form1::buttonRoom(const QPushButton* button) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    return button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button).width();
}

// The row text and the path are columns of zero width; a reset of the rows forgets that.
void Form1::shapeColumns() {
    ListView1->setColumnHidden(LogListModel::text, true);
    ListView1->setColumnHidden(LogListModel::path, true);
    ListView1->setColumnWidth(LogListModel::dateSaved, m_layout.pixelWidth(1500));
    ListView1->setColumnWidth(LogListModel::time, m_layout.pixelWidth(1000));
}

void Form1::placeControls() {
    using L = DesignLayout;
    m_layout.place(Label2, {60, 120, 1425, 255});
    m_layout.place(refresh, {1920, 60, 825, 315});
    m_layout.place(ListView1, {30, 420, 2775, 5880}, L::growTall);
    m_layout.place(Label1, {2850, 90, 6135, 375}, L::growWide);
    m_layout.place(deletefile, {7545, 105, 1440, 300}, L::moveRight);
    m_layout.place(RichTextBox1, {2850, 420, 6135, 5865}, L::growWide | L::growTall);
    m_layout.place(Frame1, {15, 6360, 8985, 615}, L::moveDown | L::growWide);
    m_layout.place(Text2, {90, 225, 6210, 285}, L::growWide);
    m_layout.place(Label3, {6420, 285, 990, 195}, L::moveRight);
    m_layout.place(searchAll, {7500, 180, 1350, 360}, L::moveRight);
    // The picture's design square runs 75 twips past the client area; it is cut to fit.
    m_layout.place(Picture1, {30, 7050, 720, 645}, L::moveDown);
    m_layout.place(Label7, {840, 7080, 2595, 315}, L::moveDown);
    m_layout.place(Label4, {3390, 7155, 1845, 225}, L::moveDown);
    m_layout.place(closeout, {7680, 7185, 1275, 375}, L::moveRight | L::moveDown);
    Picture1->setPixmap(viewerPicture(645 * logicalDpiX() / 1440));
}

// The design's widths were made for Arial; the font standing in for it may be wider, and no
// text may be cut. The whole design widens by the largest shortfall, so nothing overlaps.
void Form1::fitTexts() {
    resize(m_layout.designSize());
    ensurePolished();
    m_layout.apply();
    const QString archive = QStringLiteral("log") + QString(12, u'0') + QStringLiteral(".txt");
    const auto header = utf8(std::string(ViewerPresenter::kHeader)) + archive;
    // The room a text has at the design size; what of it does not grow with the design
    // (frames, margins) is the widget's width less that room.
    const std::pair<const QWidget*, std::pair<QString, int>> texts[] = {
        {Label2, {Label2->text(), Label2->contentsRect().width()}},
        {Label1, {header, deletefile->x() - Label1->x()}},
        {Label3, {utf8(std::string(viewer::kNotFoundStartOver)), Label3->contentsRect().width()}},
        {Label7, {Label7->text(), Label7->contentsRect().width()}},
        {Label4,
         {QStringLiteral("v") + utf8(std::string(ViewerPresenter::kVersion)),
          Label4->contentsRect().width()}},
        {refresh, {refresh->text(), buttonRoom(refresh)}},
        {deletefile, {deletefile->text(), buttonRoom(deletefile)}},
        {searchAll, {searchAll->text(), buttonRoom(searchAll)}},
        {closeout, {closeout->text(), buttonRoom(closeout)}},
    };
    double scale = 1;
    for (const auto& [widget, text] : texts) {
        const auto& [shown, room] = text;
        const int width = widget == Label1 ? room : widget->width();
        const int fixed = width - room;
        // One pixel more for the rounding of the widened positions and widths.
        const int need = widget->fontMetrics().horizontalAdvance(shown) + fixed + 1;
        scale = std::max(scale, static_cast<double>(need) / width);
    }
    m_layout.setWidthScale(scale);
    shapeColumns();
    setMinimumSize(m_layout.designSize());
    resize(m_layout.designSize());
}

void Form1::connectControls() {
    connect(refresh, &QPushButton::clicked, this, [this] { m_presenter->refresh(); });
    connect(deletefile, &QPushButton::clicked, this, [this] { m_presenter->deletefile(); });
    connect(searchAll, &QPushButton::clicked, this, [this] { m_presenter->searchAllFiles(); });
    connect(closeout, &QPushButton::clicked, this, [this] { m_presenter->closeout(); });
    connect(Text2, &QLineEdit::textChanged, this, [this](const QString& text) {
        std::string bytes;
        const bool matchable = toWindows1252(text, bytes);
        m_presenter->changeSearchText(std::move(bytes), matchable);
    });
    // Only a click or a double-click opens a log; the keyboard merely moves the selection.
    const auto open = [this](const QModelIndex& index) {
        m_presenter->selectRow(static_cast<std::size_t>(index.row()));
        m_presenter->openSelected();
    };
    connect(ListView1, &QTreeView::clicked, this, open);
    connect(ListView1, &QTreeView::doubleClicked, this, open);
    connect(ListView1->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { selectionMoved(); });
}

void Form1::attach(ViewerPresenter& presenter) {
    m_presenter = &presenter;
    m_model->reset(presenter.rows());
    shapeColumns();
    RichTextBox1->setSource(presenter.shown());
}

void Form1::selectionMoved() {
    if (m_showingSelection || !m_presenter) return;
    const auto selected = ListView1->selectionModel()->selectedRows();
    m_presenter->selectRow(selected.isEmpty() ? std::nullopt
                                              : std::optional<std::size_t>(static_cast<std::size_t>(
                                                    selected.front().row())));
}

void Form1::showSelection() {
    m_showingSelection = true;
    const auto row = m_presenter->selectedRow();
    if (row) {
        const QModelIndex index = m_model->index(static_cast<int>(*row), LogListModel::dateSaved);
        ListView1->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                                QItemSelectionModel::Rows);
    } else {
        ListView1->selectionModel()->clear();
    }
    m_showingSelection = false;
}

void Form1::changed(Part part) {
    switch (part) {
    case Part::labels:
        Label1->setText(utf8(m_presenter->label1()));
        Label3->setText(utf8(m_presenter->label3()));
        Label4->setText(utf8(m_presenter->label4()));
        break;
    case Part::deleteButton:
        deletefile->setEnabled(m_presenter->deleteEnabled());
        break;
    case Part::rows:
        m_model->reset(m_presenter->rows());
        shapeColumns();
        break;
    case Part::selection:
        showSelection();
        break;
    case Part::text:
        RichTextBox1->textReplaced();
        break;
    case Part::marks:
        RichTextBox1->marksChanged();
        break;
    }
}

void Form1::scrollRowIntoView(std::size_t row) {
    ListView1->scrollTo(m_model->index(static_cast<int>(row), LogListModel::dateSaved));
}

void Form1::setBusy(bool busy) {
    if (busy) {
        ++m_busyDepth;
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (m_busyDepth > 0) {
        --m_busyDepth;
        QApplication::restoreOverrideCursor();
    }
}

void Form1::setListAndTextShown(bool shown) {
    ListView1->setVisible(shown);
    RichTextBox1->setVisible(shown);
}

void Form1::showWindow() {
    show();
}

void Form1::quitProgram() {
    close();
    QCoreApplication::quit();
}

void Form1::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_layout.apply();
}

void Form1::closeEvent(QCloseEvent* event) {
    event->accept();
    if (m_presenter && !m_presenter->ended()) m_presenter->closeout();
}
