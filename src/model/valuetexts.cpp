#include "model/valuetexts.h"

#include <QCoreApplication>
#include <QTranslator>

#include "model/radiodata.h"

namespace kv {
namespace {

const char* const kContext = "kv::Values";

// The English texts, whichever language is in use: typing accepts them in a Chinese window too.
QString englishText(const QString& value) {
  static const QTranslator* const english = [] {
    auto* translator = new QTranslator;
    (void)translator->load(QStringLiteral(":/i18n/kvprog_en.qm"));  // none: no English to accept
    return translator;
  }();
  const QString text = english->translate(kContext, value.toUtf8().constData());
  return text.isEmpty() ? value : text;
}

}  // namespace

QString valueText(const QString& value) {
  return QCoreApplication::translate(kContext, value.toUtf8().constData());
}

QString valueNamed(const QString& typed, const QStringList& options) {
  const QString wanted = typed.trimmed();
  for (const QString& option : options)
    for (const QString& name : {option, valueText(option), englishText(option)})
      if (name.compare(wanted, Qt::CaseInsensitive) == 0) return option;
  return QString();
}

QString columnCaption(int column) {
  return QCoreApplication::translate("kv::Columns",
                                     columnHeadings().value(column).toUtf8().constData());
}

}  // namespace kv
