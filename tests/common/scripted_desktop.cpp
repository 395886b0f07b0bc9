#include "scripted_desktop.h"

namespace zelvo::test {
namespace {

template <typename T>
T TakeFront(std::deque<T>& queue, T whenEmpty) {
  if (queue.empty()) return whenEmpty;
  const T front = queue.front();
  queue.pop_front();
  return front;
}

}  // namespace

MessageAnswer ScriptedDesktop::ShowMessage(const QString& text, const QString& title, MessageIcon icon,
                                           MessageButtons buttons) {
  messages.append({text, title, icon, buttons});
  if (whileMessageUp) whileMessageUp(messages.last());
  const MessageAnswer fallback = buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
  return TakeFront(messageAnswers, fallback);
}

std::optional<QStringList> ScriptedDesktop::AskOpenFiles(const FileDialogRequest& request) {
  openRequests.append(request);
  return TakeFront<std::optional<QStringList>>(openAnswers, std::nullopt);
}

std::optional<QString> ScriptedDesktop::AskSaveFile(const FileDialogRequest& request) {
  saveRequests.append(request);
  return TakeFront<std::optional<QString>>(saveAnswers, std::nullopt);
}

bool ScriptedDesktop::OpenWithDefaultApp(const QString& pathOrUrl) {
  opened.append(pathOrUrl);
  return launchesSucceed;
}

}  // namespace zelvo::test
