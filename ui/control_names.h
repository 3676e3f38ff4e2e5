// The controls of the main window, by their names in the layout. The order is the
// layout's control list (the first entry lies on top), so a name is also an index
// into the layout table.
#pragma once

enum class Control : int {
  透明标签5,
  选择框2,
  透明标签4,
  选择框1,
  透明标签3,
  透明标签2,
  透明标签1,
  按钮2,
  按钮1,
  时钟1,
  组合框1,
  组合框2,
  组合框3,
  MainWindow,
};

constexpr int kControlCount = 13;

constexpr int ControlIndex(Control c) {
  return static_cast<int>(c);
}
