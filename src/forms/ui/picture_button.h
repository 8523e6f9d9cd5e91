#pragma once

class QToolButton;
class QWidget;
struct FormPicture;

// The flat button of SPEED and FORM showing the form's picture at its own
// size; without a readable picture the button has no icon.
QToolButton* NewPictureButton(QWidget* container, const FormPicture& picture);
