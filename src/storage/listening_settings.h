#pragma once

#include <QString>
#include <QVariantMap>

namespace zelvo {

// The "Listening" options, kept apart so that "config.zcf" keeps its 31 lines
// unchanged: a plain INI file of named keys beside it. Keys are flat names
// ("ResumeAtStart"); a key the file lacks keeps its built-in default, and keys
// this version does not know are kept as they were when the file is written.
inline const QString kListeningSettingsName = QStringLiteral("zelvo.conf");

class ListeningSettings {
 public:
  // Reads the file; a missing file leaves every key at its default, an
  // unreadable one is logged and treated the same.
  void Load(const QString& path);
  // Writes every key; false with the reason when the file could not be written.
  bool Save(const QString& path, QString* error = nullptr) const;

  QVariant Value(const QString& key, const QVariant& fallback = {}) const { return values_.value(key, fallback); }
  bool Flag(const QString& key, bool fallback) const { return Value(key, fallback).toBool(); }
  void SetValue(const QString& key, const QVariant& value) { values_.insert(key, value); }

 private:
  QVariantMap values_;
};

}  // namespace zelvo
