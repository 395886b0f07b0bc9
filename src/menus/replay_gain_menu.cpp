#include "menus/replay_gain_menu.h"

#include <QActionGroup>
#include <QMenu>

#include <cmath>

namespace zelvo {
namespace {

const double kPreampSteps[] = {6, 3, 0, -3, -6, -12};

QString PreampCaption(double db) {
  return db == 0 ? QStringLiteral("0 dB") : QString::asprintf("%+g dB", db);
}

QAction* AddChoice(QMenu* menu, QActionGroup* group, const QString& name, const QString& caption,
                   const QVariant& value) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(name);
  action->setCheckable(true);
  action->setData(value);
  group->addAction(action);
  return action;
}

}  // namespace

ReplayGainMenu::ReplayGainMenu(QMenu* parent) : QObject(parent) {
  menu_ = parent->addMenu(QStringLiteral("&ReplayGain"));
  menu_->setObjectName(QStringLiteral("ReplayGainMenu"));
  modes_ = new QActionGroup(this);
  AddChoice(menu_, modes_, "ReplayGainOff", "&Off", int(ReplayGainMode::Off));
  AddChoice(menu_, modes_, "ReplayGainTrack", "&Track Gain", int(ReplayGainMode::Track));
  AddChoice(menu_, modes_, "ReplayGainAlbum", "&Album Gain", int(ReplayGainMode::Album));
  AddChoice(menu_, modes_, "ReplayGainAuto", "Auto&matic (Album in Normal Play)", int(ReplayGainMode::Automatic));
  menu_->addSeparator();
  clipping_ = menu_->addAction(QStringLiteral("&Prevent Clipping"));
  clipping_->setObjectName(QStringLiteral("ReplayGainClipping"));
  clipping_->setCheckable(true);
  connect(clipping_, &QAction::triggered, this, &ReplayGainMenu::Changed);
  taggedPreamp_ = AddPreampMenu(QStringLiteral("PreampTagged"), QStringLiteral("Pre-amp, Tagged &Files"));
  untaggedPreamp_ = AddPreampMenu(QStringLiteral("PreampUntagged"), QStringLiteral("Pre-amp, &Untagged Files"));
  for (QActionGroup* group : {modes_, taggedPreamp_, untaggedPreamp_})
    connect(group, &QActionGroup::triggered, this, &ReplayGainMenu::Changed);
  Show({});
}

QActionGroup* ReplayGainMenu::AddPreampMenu(const QString& name, const QString& caption) {
  QMenu* sub = menu_->addMenu(caption);
  sub->setObjectName(name + QStringLiteral("Menu"));
  auto* group = new QActionGroup(this);
  for (double db : kPreampSteps) AddChoice(sub, group, name + PreampCaption(db), PreampCaption(db), db);
  return group;
}

ReplayGainSettings ReplayGainMenu::Settings() const {
  ReplayGainSettings settings;
  if (const QAction* mode = modes_->checkedAction()) settings.mode = ReplayGainMode(mode->data().toInt());
  settings.preventClipping = clipping_->isChecked();
  if (const QAction* tagged = taggedPreamp_->checkedAction()) settings.taggedPreampDb = tagged->data().toDouble();
  if (const QAction* untagged = untaggedPreamp_->checkedAction())
    settings.untaggedPreampDb = untagged->data().toDouble();
  return settings;
}

void ReplayGainMenu::Show(const ReplayGainSettings& settings) {
  for (QAction* mode : modes_->actions()) mode->setChecked(mode->data().toInt() == int(settings.mode));
  clipping_->setChecked(settings.preventClipping);
  CheckPreamp(taggedPreamp_, settings.taggedPreampDb);
  CheckPreamp(untaggedPreamp_, settings.untaggedPreampDb);
}

// A value set by hand in the settings file gets an entry of its own, so it
// is kept until another one is chosen.
void ReplayGainMenu::CheckPreamp(QActionGroup* group, double db) {
  for (QAction* step : group->actions()) {
    if (std::abs(step->data().toDouble() - db) < 1e-9) return step->setChecked(true);
  }
  auto* menu = qobject_cast<QMenu*>(group->actions().front()->parent());
  QAction* own = menu ? AddChoice(menu, group, QString(), PreampCaption(db), db) : nullptr;
  if (own) own->setChecked(true);
}

}  // namespace zelvo
