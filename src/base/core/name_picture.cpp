#include "base/core/name_picture.h"

#include "base/core/analogue_base.h"
#include "platform/core/regular_file.h"

#include <QFileInfo>

namespace ravlin {

namespace {

const QString kFolder = QStringLiteral("/Tarnisk/OpisPl/");

// Stand-in picture reader: the picture counts as loaded when its file exists.
class FileProbe : public RemotePictureLoader {
public:
    bool load(const QString& path) override { return QFileInfo(path).isFile(); }
};

FileProbe& fileProbe() {
    static FileProbe probe;
    return probe;
}

} // namespace

NamePicture::NamePicture(NamePictureState& state, BaseEditor& editor, Dialogs& dialogs, ResultLog& log,
                         QString appDir)
    : m_state(state), m_editor(editor), m_dialogs(dialogs), m_log(log), m_appDir(std::move(appDir)),
      m_loader(&fileProbe()) {}

void NamePicture::setPictureLoader(RemotePictureLoader* loader) {
    m_loader = loader ? loader : &fileProbe();
}

QString NamePicture::descriptionPath(const QString& code) const {
    return m_appDir + kFolder + code + QStringLiteral(".txt");
}

QString NamePicture::picturePath() const {
    return m_appDir + kFolder + m_state.remoteCode + QStringLiteral(".jpg");
}

void NamePicture::chooseRemote(const QString& text) {
    // "A1".."A7" select "A01".."A07"; anything else falls back to the first remote.
    int n = 0;
    if (text.size() == 2 && text.at(0) == u'A' && text.at(1) >= u'1' && text.at(1) <= u'7')
        n = text.at(1).unicode() - u'0';
    if (n == 0) {
        n = 1;
        m_state.selectorText = QStringLiteral("A1");
    } else {
        m_state.selectorText = text;
    }
    m_state.remoteCode = QStringLiteral("A0") + QString::number(n);
    load();
}

void NamePicture::report(const QString& text, bool box) {
    m_dialogs.beep();
    if (box) m_dialogs.information(text);
    m_log.append(text);
}

void NamePicture::load() {
    m_x = 0;
    m_y = 0;
    m_zones.clear();
    m_pictureLoaded = false;
    m_loader->clear();
    const QString path = descriptionPath(m_state.remoteCode);
    if (!QFileInfo::exists(path)) {
        report(kDescriptionMissing, m_windowVisible);
        // The picture is not loaded then; say so when it is missing as well, and where both were looked for.
        if (!QFileInfo::exists(picturePath())) m_log.append(kPictureMissing);
        m_log.append(lookedInLine(m_appDir + kFolder.chopped(1)));
        return;
    }
    QString error;
    const std::optional<TextLines> file = readTextFile(path, RemoteDescription::kMaxFileBytes, &error);
    if (!file) {
        report(kDescriptionMissing, m_windowVisible);
        m_log.append(error);
        return;
    }
    const RemoteDescription::ReadResult r = RemoteDescription::read(*file);
    m_zones = r.zones;
    const QString name = m_state.remoteCode + QStringLiteral(".txt");
    if (r.announced > RemoteDescription::kMaxZones)
        m_log.append(QStringLiteral("В описании пульта %1 объявлено кнопок: %2, прочитаны первые %3")
                         .arg(name)
                         .arg(r.announced)
                         .arg(RemoteDescription::kMaxZones));
    if (r.badLine > 0)
        m_log.append(QStringLiteral("В описании пульта %1 нет числа в строке %2, прочитано кнопок: %3")
                         .arg(name)
                         .arg(r.badLine)
                         .arg(m_zones.size()));
    if (r.truncatedEnd)
        m_log.append(QStringLiteral("Описание пульта %1 обрывается, прочитано кнопок: %2")
                         .arg(name)
                         .arg(m_zones.size()));
    m_pictureLoaded = m_loader->load(picturePath());
    if (!m_pictureLoaded) {
        report(kPictureMissing, true);
        m_log.append(lookedInLine(m_appDir + kFolder.chopped(1)));
    }
}

bool NamePicture::writeDescription() {
    QString error;
    if (TextFileWriter::write(descriptionPath(QStringLiteral("A08")), RemoteDescription::lines(m_zones),
                              &error))
        return true;
    m_dialogs.information(error);
    return false;
}

QString NamePicture::keyAt(int x, int y) const {
    QString key = kNoKey;
    for (const RemoteZone& z : m_zones)
        if (z.contains(x, y)) key = z.name;
    return key;
}

void NamePicture::pointerMoved(int px, int py, int width, int height) {
    if (width <= 0 || height <= 0) return;
    m_x = static_cast<int>(static_cast<qint64>(px) * kUnitsX / width);
    m_y = static_cast<int>(static_cast<qint64>(py) * kUnitsY / height);
    m_positionLabel =
        QStringLiteral("X,Y=(") + QString::number(m_x) + QStringLiteral(" , ") + QString::number(m_y) + u')';
    m_key = keyAt(m_x, m_y);
    m_keyLabel = QStringLiteral("Key=") + m_key;
}

void NamePicture::nameButton() {
    m_editor.settings().buttonName = m_key;
    m_editor.view().nameMarker = ViewColour::Face;
}

void NamePicture::click() {
    if (m_key == kNoKey) {
        m_dialogs.beep();
        return;
    }
    nameButton();
}

void NamePicture::doubleClick() {
    if (m_key == kNoKey) {
        m_dialogs.beep();
        return;
    }
    nameButton();
    m_editor.change();
}

} // namespace ravlin
