#pragma once

#include <QActionGroup>
#include <QMenu>
#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <vector>

namespace zelvo {

class ListeningSettings;

// The "Listening" submenu at the end of the options menu: the listening aids
// beyond the classic options. Its check marks are these options (no other copy);
// each switch and each choice is named by its key in "zelvo.conf", so adding
// an option is one AddSwitch or AddChoice in Build() and nothing else.
class ListeningMenu : public QObject {
  Q_OBJECT
 public:
  static inline const QString kNotifyTrackChange = QStringLiteral("NotifyTrackChange");
  static inline const QString kResumeAtStart = QStringLiteral("ResumeAtStart");
  static inline const QString kStartPaused = QStringLiteral("StartPaused");
  static inline const QString kOutputDevice = QStringLiteral("OutputDevice");

  // Lists the sound server's outputs by name, the default one first.
  using DeviceLister = std::function<QStringList()>;

  ListeningMenu(QMenu& optionsMenu, DeviceLister devices, QObject* parent = nullptr);

  QMenu* Menu() const { return menu_; }
  QAction* JumpToTrack() const { return jumpToTrack_; }
  bool IsOn(const QString& key) const;
  // The chosen value of a choice, or of the output device ("" for the default).
  QString Chosen(const QString& key) const;

  void Load(const ListeningSettings& settings);
  void Store(ListeningSettings& settings) const;

  QAction* AddSwitch(const QString& key, const QString& caption, bool onByDefault);
  // A submenu of which one entry is ticked; entries are {value, caption}.
  QMenu* AddChoice(const QString& key, const QString& title,
                   const std::vector<std::pair<QString, QString>>& entries, const QString& byDefault);

 signals:
  void Chose(const QString& key, const QString& value);

 private:
  struct Switch {
    QAction* action;
    bool onByDefault;
  };
  struct Choice {
    QActionGroup* group;
    QString byDefault;
  };
  void Build();
  void Choose(const QString& key, const QString& value);
  void FillOutputDevices();

  QMenu* menu_;
  DeviceLister devices_;
  QAction* jumpToTrack_ = nullptr;
  QMenu* outputMenu_ = nullptr;
  QActionGroup* outputGroup_ = nullptr;
  QString outputDevice_;  // "" is the sound server's default
  std::map<QString, Switch> switches_;
  std::map<QString, Choice> choices_;
};

}  // namespace zelvo
