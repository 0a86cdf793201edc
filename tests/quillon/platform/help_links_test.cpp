// The help pages as a reader meets them: every page reached from the contents and the keyword
// index, every link in them (anchors included) and every picture and style sheet they load.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>

#include "help_window.h"

namespace {

QStringList warnings;

void CollectWarnings(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type != QtDebugMsg && type != QtInfoMsg) warnings << message;
}

// What a page shown in the browser offers: its links resolved against the page's address, the
// anchor names it defines, and the files its source loads (pictures, the style sheet).
struct Page {
  QList<QUrl> links;
  QSet<QString> anchors;
  QList<QUrl> loads;
};

Page Read(const QTextBrowser& browser) {
  Page page;
  const QUrl base = browser.source();
  for (QTextBlock block = browser.document()->begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextCharFormat format = it.fragment().charFormat();
      for (const QString& name : format.anchorNames()) page.anchors.insert(name);
      if (format.isAnchor() && !format.anchorHref().isEmpty())
        page.links << base.resolved(QUrl(format.anchorHref()));
    }
  }
  QFile source(QLatin1Char(':') + base.path());
  if (source.open(QIODevice::ReadOnly)) {
    static const QRegularExpression kLoaded(
        QStringLiteral(R"re((?:src|<link[^>]*href)="([^"]+)")re"));
    for (const auto& match : kLoaded.globalMatch(QString::fromUtf8(source.readAll())))
      page.loads << base.resolved(QUrl(match.captured(1)));
  }
  return page;
}

bool IsShipped(const QUrl& url) {
  return url.scheme() == QStringLiteral("qrc") && QFile::exists(QLatin1Char(':') + url.path());
}

TEST(HelpPages, EveryPageIsReachedAndEveryLinkAnchorAndPictureResolves) {
  quillon::ShowHelp(0);
  auto* browser = qobject_cast<QTextBrowser*>(quillon::HelpWindow());
  ASSERT_NE(browser, nullptr);
  const QtMessageHandler previous = qInstallMessageHandler(CollectWarnings);

  QMap<QString, Page> pages;  // by path
  QList<QUrl> queue = {QUrl(QStringLiteral("qrc:/help/topic0.html")),
                       QUrl(QStringLiteral("qrc:/help/keywords.html"))};
  QList<std::pair<QString, QUrl>> links;  // the page a link is on, its target
  while (!queue.isEmpty()) {
    const QUrl url = queue.takeFirst().adjusted(QUrl::RemoveFragment);
    if (pages.contains(url.path())) continue;
    browser->setSource(url);
    EXPECT_EQ(browser->source(), url);
    EXPECT_FALSE(browser->documentTitle().isEmpty()) << url.path().toStdString();
    const Page page = Read(*browser);
    for (const QUrl& file : page.loads)
      EXPECT_TRUE(IsShipped(file))
          << url.path().toStdString() << " loads " << file.toString().toStdString();
    for (const QUrl& link : page.links) {
      links.append({url.path(), link});
      if (IsShipped(link)) queue << link;
    }
    pages.insert(url.path(), page);
  }
  qInstallMessageHandler(previous);

  for (const auto& [from, link] : links) {
    const std::string where = from.toStdString() + " → " + link.toString().toStdString();
    ASSERT_TRUE(IsShipped(link)) << where;
    if (link.hasFragment()) {
      EXPECT_TRUE(pages[link.path()].anchors.contains(link.fragment())) << where;
    }
  }
  for (const QString& name : QDir(QStringLiteral(":/help")).entryList({QStringLiteral("*.html")}))
    EXPECT_TRUE(pages.contains(QStringLiteral("/help/") + name))
        << name.toStdString() << " is not reached";
  EXPECT_TRUE(warnings.isEmpty()) << warnings.join(QLatin1Char('\n')).toStdString();
  quillon::CloseHelpWindows();
}

TEST(HelpPages, TheWindowCarriesTheProgramsIcon) {
  quillon::ShowHelp(1);
  ASSERT_NE(quillon::HelpWindow(), nullptr);
  EXPECT_FALSE(quillon::HelpWindow()->windowIcon().isNull());
  quillon::CloseHelpWindows();
}

}  // namespace
