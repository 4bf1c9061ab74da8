#include "kavrino/Unit2.h"

TAboutBox* AboutBox = nullptr;

TAboutBox::TAboutBox(QWidget* parent) : QWidget(parent) {}
