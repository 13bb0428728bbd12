// A low floor that calls a function only a higher floor defines: the link
// check must name it.
void DefinedAbove();
void CallsUp() { DefinedAbove(); }
