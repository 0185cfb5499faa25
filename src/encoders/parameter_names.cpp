#include "encoders/parameter_names.h"

#include <QCoreApplication>

#include "linkage/parameters.h"

namespace gyrenda {
namespace {

struct ParameterNames {
  Q_DECLARE_TR_FUNCTIONS(ParameterNames)
};

// Shorter than the main window's captions, which explain each value where it is typed.
constexpr const char* kNames[kParamCount] = {
    QT_TRANSLATE_NOOP("ParameterNames", "クランク半径"),
    QT_TRANSLATE_NOOP("ParameterNames", "てこ半径"),
    QT_TRANSLATE_NOOP("ParameterNames", "中間節長さ"),
    QT_TRANSLATE_NOOP("ParameterNames", "静止節長さ"),
    QT_TRANSLATE_NOOP("ParameterNames", "4節リンク出力点X軸補正"),
    QT_TRANSLATE_NOOP("ParameterNames", "4節リンク出力点Y軸補正"),
    QT_TRANSLATE_NOOP("ParameterNames", "6節リンクの中間節長さ"),
    QT_TRANSLATE_NOOP("ParameterNames", "6節リンク出力点X軸補正"),
    QT_TRANSLATE_NOOP("ParameterNames", "6節リンク出力点Y軸補正"),
    QT_TRANSLATE_NOOP("ParameterNames", "スライド始点X"),
    QT_TRANSLATE_NOOP("ParameterNames", "スライド始点Y"),
    QT_TRANSLATE_NOOP("ParameterNames", "スライド終点X"),
    QT_TRANSLATE_NOOP("ParameterNames", "スライド終点Y"),
};

}  // namespace

QString parameterName(int index) { return ParameterNames::tr(kNames[index]); }

}  // namespace gyrenda
