#include "base/ui/name_picture_window.h"

#include "platform/ui/refresh.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include <cstdlib>

namespace ravlin {

RemotePictureView::RemotePictureView(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("Image1"));
    setMouseTracking(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor::fromRgb(0xC0C0C0));
    setPalette(p);
    showImage(QImage());
}

void RemotePictureView::showImage(const QImage& image) {
    if (image.isNull()) {
        clear();
        setFixedSize(kEmptyWidth, kEmptyHeight);
        return;
    }
    setPixmap(QPixmap::fromImage(image));
    setFixedSize(image.size());
}

void RemotePictureView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    emit moved(p.x(), p.y());
    QLabel::mouseMoveEvent(event);
}

void RemotePictureView::mouseReleaseEvent(QMouseEvent* event) {
    // The release that ends a double click is not a second click.
    if (event->button() == Qt::LeftButton && !m_doubleClicking) emit clicked();
    m_doubleClicking = false;
    QLabel::mouseReleaseEvent(event);
}

void RemotePictureView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_doubleClicking = true;
        emit doubleClicked();
    }
    QLabel::mouseDoubleClickEvent(event);
}

NamePictureWindow::NamePictureWindow(NamePicture& core, QWidget* parent)
    : QWidget(parent, Qt::Window), m_core(core) {
    setObjectName(QStringLiteral("TForm2"));
    setWindowTitle(QStringLiteral("Имя по рисунку"));
    m_core.setPictureLoader(&m_picture);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    auto* top = new QHBoxLayout;
    m_remote = new QComboBox(this);
    m_remote->setObjectName(QStringLiteral("ComboBox1"));
    m_remote->setEditable(true);
    m_remote->setInsertPolicy(QComboBox::NoInsert);
    for (int i = 1; i <= NamePicture::kRemoteCount; ++i)
        m_remote->addItem(QStringLiteral("A%1").arg(i));
    m_open = new QPushButton(QStringLiteral("O"), this);
    m_open->setObjectName(QStringLiteral("ButtonO"));
    m_open->setVisible(false);
    m_save = new QPushButton(QStringLiteral("S"), this);
    m_save->setObjectName(QStringLiteral("ButtonS"));
    m_save->setVisible(false);
    top->addWidget(m_remote);
    top->addStretch();
    layout->addLayout(top);

    m_view = new RemotePictureView(this);
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("ScrollBoxPicture"));
    scroll->setWidget(m_view);
    scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    scroll->setMinimumSize(RemotePictureView::kEmptyWidth + 24, 320);
    layout->addWidget(scroll, 1);

    m_position = new QLabel(this);
    m_position->setObjectName(QStringLiteral("Label1"));
    m_key = new QLabel(this);
    m_key->setObjectName(QStringLiteral("Label3"));
    QFont bold = m_key->font();
    bold.setBold(true);
    m_key->setFont(bold);
    layout->addWidget(m_position);
    layout->addWidget(m_key);
    resize(RemotePictureView::kEmptyWidth + 40, 700);

    connect(m_remote, &QComboBox::activated, this,
            [this] { run([this] { m_core.chooseRemote(m_remote->currentText()); }); });
    // Enter in the box chooses whatever was typed; it is caught before the box takes it itself.
    m_remote->lineEdit()->installEventFilter(this);
    connect(m_open, &QPushButton::clicked, this, [this] { run([this] { m_core.load(); }); });
    connect(m_save, &QPushButton::clicked, this, [this] { run([this] { m_core.writeDescription(); }); });
    connect(m_view, &RemotePictureView::moved, this, [this](int x, int y) {
        m_core.pointerMoved(x, y, m_view->width(), m_view->height());
        refresh();
    });
    connect(m_view, &RemotePictureView::clicked, this, [this] { run([this] { m_core.click(); }); });
    connect(m_view, &RemotePictureView::doubleClicked, this,
            [this] { run([this] { m_core.doubleClick(); }); });
    refresh();
}

NamePictureWindow::~NamePictureWindow() {
    m_core.setPictureLoader(nullptr);
}

bool NamePictureWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_remote->lineEdit() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            run([this] { m_core.chooseRemote(m_remote->currentText()); });
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void NamePictureWindow::run(const std::function<void()>& command) {
    command();
    refresh();
    emit changed();
}

void NamePictureWindow::showCentredOver(const QWidget& main) {
    refresh();
    ui::showCentredOver(*this, main);
}

void NamePictureWindow::refresh() {
    const NamePictureState& s = m_core.state();
    if (m_remote->currentText() != s.selectorText) m_remote->setEditText(s.selectorText);
    // The picture is repainted only when another one was read.
    const qint64 key = m_picture.image().isNull() ? 0 : m_picture.image().cacheKey();
    if (key != m_shownPicture) {
        m_view->showImage(m_picture.image());
        m_shownPicture = key;
    }
    if (m_position->text() != m_core.positionLabel()) m_position->setText(m_core.positionLabel());
    if (m_key->text() != m_core.keyLabel()) m_key->setText(m_core.keyLabel());
}

void NamePictureWindow::showEvent(QShowEvent* event) {
    m_core.setWindowVisible(true);
    QWidget::showEvent(event);
}

void NamePictureWindow::hideEvent(QHideEvent* event) {
    m_core.setWindowVisible(false);
    QWidget::hideEvent(event);
}

} // namespace ravlin
