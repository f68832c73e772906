#pragma once
// The side panel's four views. A view is nothing but the visibility of the panel's controls;
// each command shows and hides them in a fixed order and leaves the rest as it is.

namespace pennory::app {

class Form1;

void showWordBankView(Form1& form);       // "write"
void showReferenceTextView(Form1& form);  // "stop"
// "image": the panel's part of it; the picture dialog follows in the reference panel.
void showPictureView(Form1& form);
// "selfdo": the tab strip and the phrase boxes over whatever the panel showed.
void showPhraseView(Form1& form);

// True while the picture view is in front: the picture shown, with neither the reference
// text nor the phrase view over it.
bool inPictureView(Form1& form);

}  // namespace pennory::app
