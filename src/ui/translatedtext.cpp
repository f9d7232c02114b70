#include "ui/translatedtext.h"

#include <QAction>
#include <QCoreApplication>

namespace kv {
namespace {

const char* const kContext = "kvContext";
const char* const kSource = "kvSource";

}  // namespace

void setTranslatedText(QAction* action, const char* context, const char* source) {
  action->setProperty(kContext, QByteArray(context));
  action->setProperty(kSource, QByteArray(source));
  action->setText(QCoreApplication::translate(context, source));
}

void retranslateActions(QObject* root) {
  for (QAction* action : root->findChildren<QAction*>()) {
    const QByteArray source = action->property(kSource).toByteArray();
    if (!source.isEmpty())
      action->setText(QCoreApplication::translate(
          action->property(kContext).toByteArray().constData(), source.constData()));
  }
}

}  // namespace kv
