#include "menus/listening_menu.h"

#include "menus/menu_caption.h"
#include "storage/listening_settings.h"

namespace zelvo {
namespace {

const QString kDefaultOutputCaption = QStringLiteral("Default Output");

}  // namespace

ListeningMenu::ListeningMenu(QMenu& optionsMenu, DeviceLister devices, QObject* parent)
    : QObject(parent), devices_(std::move(devices)) {
  optionsMenu.addSeparator();
  menu_ = optionsMenu.addMenu(QStringLiteral("&Listening"));
  menu_->setObjectName(QStringLiteral("ListeningMenu"));
  Build();
}

void ListeningMenu::Build() {
  jumpToTrack_ = menu_->addAction(QStringLiteral("&Jump to Track ...\tCtrl+J"));
  jumpToTrack_->setObjectName(QStringLiteral("JumpToTrack"));
  menu_->addSeparator();
  AddSwitch(kNotifyTrackChange, QStringLiteral("&Notify on Track Change"), true);
  menu_->addSeparator();
  AddSwitch(kResumeAtStart, QStringLiteral("&Resume at Start"), false);
  AddSwitch(kStartPaused, QStringLiteral("Start &Paused"), false);
  menu_->addSeparator();
  // The outputs come and go: the list is asked for each time it opens.
  outputMenu_ = menu_->addMenu(QStringLiteral("&Output Device"));
  outputMenu_->setObjectName(kOutputDevice);
  connect(outputMenu_, &QMenu::aboutToShow, this, &ListeningMenu::FillOutputDevices);
}

QAction* ListeningMenu::AddSwitch(const QString& key, const QString& caption, bool onByDefault) {
  QAction* action = menu_->addAction(caption);
  action->setObjectName(key);
  action->setCheckable(true);
  action->setChecked(onByDefault);
  switches_[key] = {action, onByDefault};
  return action;
}

QMenu* ListeningMenu::AddChoice(const QString& key, const QString& title,
                                const std::vector<std::pair<QString, QString>>& entries, const QString& byDefault) {
  QMenu* sub = menu_->addMenu(title);
  sub->setObjectName(key);
  auto* group = new QActionGroup(sub);
  for (const auto& [value, caption] : entries) {
    QAction* action = sub->addAction(caption);
    action->setObjectName(value);
    action->setCheckable(true);
    action->setData(value);
    action->setChecked(value == byDefault);
    group->addAction(action);
    connect(action, &QAction::triggered, this, [this, key, value] { emit Chose(key, value); });
  }
  choices_[key] = {group, byDefault};
  return sub;
}

bool ListeningMenu::IsOn(const QString& key) const {
  const auto found = switches_.find(key);
  return found != switches_.end() && found->second.action->isChecked();
}

QString ListeningMenu::Chosen(const QString& key) const {
  if (key == kOutputDevice) return outputDevice_;
  const auto found = choices_.find(key);
  if (found == choices_.end() || !found->second.group->checkedAction()) return {};
  return found->second.group->checkedAction()->data().toString();
}

void ListeningMenu::Choose(const QString& key, const QString& value) {
  if (key == kOutputDevice) {
    outputDevice_ = value;
    return;
  }
  const auto found = choices_.find(key);
  if (found == choices_.end()) return;
  for (QAction* action : found->second.group->actions()) action->setChecked(action->data().toString() == value);
}

void ListeningMenu::Load(const ListeningSettings& settings) {
  for (auto& [key, entry] : switches_) entry.action->setChecked(settings.Flag(key, entry.onByDefault));
  for (auto& [key, entry] : choices_) Choose(key, settings.Value(key, entry.byDefault).toString());
  Choose(kOutputDevice, settings.Value(kOutputDevice).toString());
}

void ListeningMenu::Store(ListeningSettings& settings) const {
  for (const auto& [key, entry] : switches_) settings.SetValue(key, entry.action->isChecked());
  for (const auto& [key, entry] : choices_) settings.SetValue(key, Chosen(key));
  settings.SetValue(kOutputDevice, outputDevice_);
}

void ListeningMenu::FillOutputDevices() {
  outputMenu_->clear();
  delete outputGroup_;
  auto* group = outputGroup_ = new QActionGroup(outputMenu_);
  QStringList names = devices_ ? devices_() : QStringList();
  // A chosen output that is gone stays listed, so the choice can be seen and undone.
  if (!outputDevice_.isEmpty() && !names.contains(outputDevice_)) names << outputDevice_;
  names.prepend(QString());
  for (const QString& name : names) {
    QAction* action = outputMenu_->addAction(name.isEmpty() ? kDefaultOutputCaption : MenuCaption(name));
    action->setCheckable(true);
    action->setChecked(name == outputDevice_);
    group->addAction(action);
    connect(action, &QAction::triggered, this, [this, name] {
      outputDevice_ = name;
      emit Chose(kOutputDevice, name);
    });
  }
}

}  // namespace zelvo
