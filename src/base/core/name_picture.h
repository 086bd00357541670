#pragma once

#include "base/core/base_editor.h"
#include "base/core/remote_description.h"
#include "platform/core/dialogs.h"

#include <QString>

#include <vector>

namespace ravlin {

// State of the name-by-picture window the start-up sets before loading the first remote.
struct NamePictureState {
    QString remoteCode = QStringLiteral("A01");  // file name of the remote's files, e.g. "A01"
    QString selectorText = QStringLiteral("A1"); // text of the remote selector (ComboBox1)
};

// Reads a remote's picture for the window to show. Production decodes the JPEG with Qt's image
// reader; the default stand-in only checks that the file exists.
class RemotePictureLoader {
public:
    virtual ~RemotePictureLoader() = default;
    // Reads the picture at `path`; false when it is missing, unreadable or too large. A failed
    // load leaves no picture.
    virtual bool load(const QString& path) = 0;
    // Drops the picture shown.
    virtual void clear() {}
};

// "Имя по рисунку" (TForm2): the zones of the current remote's description file, the button
// under the mouse, and naming the main window's button-name box by click and double click.
class NamePicture {
public:
    static inline const QString kDescriptionMissing = QStringLiteral("Немогу подгрузить базу пульта!!!");
    static inline const QString kPictureMissing = QStringLiteral("Немогу подгрузить вид пульта!!!");
    static inline const QString kNoKey = QStringLiteral("N/A");
    static constexpr int kUnitsX = 100;
    static constexpr int kUnitsY = 700;
    static constexpr int kRemoteCount = 7;

    // `appDir` is the application directory; the remotes' files lie in its Tarnisk/OpisPl. What is
    // missing or cut short is told in `log` (the main results memo).
    NamePicture(NamePictureState& state, BaseEditor& editor, Dialogs& dialogs, ResultLog& log,
                QString appDir);

    NamePictureState& state() { return m_state; }
    // nullptr restores the stand-in.
    void setPictureLoader(RemotePictureLoader* loader);
    // The window tells whether it is on screen (a missing description file is shown in a box only then).
    void setWindowVisible(bool visible) { m_windowVisible = visible; }

    // ComboBox1 ("A1".."A7") chose `text`: the remote code follows it, then the description is loaded.
    void chooseRemote(const QString& text);
    // The hidden "O": reads the description file and the picture of the current remote code.
    void load();
    // The hidden "S": writes the zones to Tarnisk/OpisPl/A08.txt. Returns whether it was written.
    bool writeDescription();

    // The mouse at pixel (px, py) of a picture of `width` x `height` pixels.
    void pointerMoved(int px, int py, int width, int height);
    void click();
    void doubleClick();

    // The key a position in picture units names: the last zone that contains it, else "N/A".
    QString keyAt(int x, int y) const;

    const std::vector<RemoteZone>& zones() const { return m_zones; }
    bool pictureLoaded() const { return m_pictureLoaded; }
    int pointerX() const { return m_x; }
    int pointerY() const { return m_y; }
    const QString& currentKey() const { return m_key; }
    const QString& positionLabel() const { return m_positionLabel; } // Label1
    const QString& keyLabel() const { return m_keyLabel; }           // Label3

    QString descriptionPath(const QString& code) const;
    QString picturePath() const;

private:
    void report(const QString& text, bool box);
    void nameButton();

    NamePictureState& m_state;
    BaseEditor& m_editor;
    Dialogs& m_dialogs;
    ResultLog& m_log;
    QString m_appDir;
    RemotePictureLoader* m_loader;
    bool m_windowVisible = false;

    std::vector<RemoteZone> m_zones;
    bool m_pictureLoaded = false;
    int m_x = 0;
    int m_y = 0;
    QString m_key = kNoKey;
    QString m_positionLabel = QStringLiteral("X,Y=(0 , 0)");
    QString m_keyLabel = QStringLiteral("Key=N/A");
};

} // namespace ravlin
