#include "pages/service/fmuCommand.h"

TfmCommand::TfmCommand(QWidget* owner) : TPage(owner, "fmCommand", PageCaption) {}
