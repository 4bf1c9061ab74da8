#include "kavrino/Unit5.h"

TOKBottomDlg* OKBottomDlg = nullptr;

TOKBottomDlg::TOKBottomDlg(QWidget* parent) : QWidget(parent) {}
