#include "twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QtMath>

namespace sample {

namespace {

constexpr double kTwipsPerInch = 1440.0;

double LogicalDpi() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->logicalDotsPerInch() : 96.0;
}

}  // namespace

int TwipsToPixels(int twips) { return qRound(twips * LogicalDpi() / kTwipsPerInch); }

QPoint TwipsPoint(int left, int top) { return {TwipsToPixels(left), TwipsToPixels(top)}; }

QSize TwipsSize(int width, int height) { return {TwipsToPixels(width), TwipsToPixels(height)}; }

QRect TwipsRect(int left, int top, int width, int height) {
  return {TwipsPoint(left, top), TwipsSize(width, height)};
}

}  // namespace sample
