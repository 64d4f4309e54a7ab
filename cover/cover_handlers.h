#pragma once
// The cover screen: the start state, the countdown, the enter picture with its hover-revealed
// logo and signature, and the agreement box that asks before exiting.

namespace cover {

// The main window's created event: every cell read-only, the 3 x 3 cells shown, the centre
// highlighted, the focus on the hidden cell 36, "3x3" selected, the logo and signature hidden,
// and the countdown started.
void setStartState();

// Clicked on the agreement box; un-ticking it asks whether to exit.
void askAgreement();

// One tick of the countdown; the cover goes when it reaches "0".
void countdownTick();

// Mouse moved over the enter picture.
void showLogoAndSignature();

// Left button pressed on the enter picture: half a second's pause, then the cover goes.
void enter();

// Mouse moved over the base label around the enter picture.
void hideLogoAndSignature();

} // namespace cover
