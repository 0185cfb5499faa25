// The simple commands of the main window and the switch between idle and running state.
#pragma once

#include <cstdint>

#include "app/form.h"

namespace gyrenda {

void Command1_Click(Form& f);                       // 実行: redraw, then analyse
void AnimeButton_Click(Form& f, int index);         // アニメ: 0 forwards, 1 backwards
void Command2_Click(Form& f);                       // 終了
void Command3_Click(Form& f);                       // 拡大
void Command4_Click(Form& f);                       // 縮小
void Command6_Click(Form& f);                       // 停止
void List3_Click(Form& f);                          // speed list selection
void HScroll1_Change(Form& f);                      // pan bars: redraw only
void VScroll1_Change(Form& f);

// Selects an item of the speed list as a click would, which runs its selection handler.
void selectSpeed(Form& f, int item);

// Running state: only 停止 among the commands; entry boxes, spin bars, option buttons,
// point entry and the File menu are off as well, so that edits never meet a run.
void AllDisable(Form& f);
// Idle state: everything on but 停止.
void AllEnable(Form& f);

}  // namespace gyrenda
