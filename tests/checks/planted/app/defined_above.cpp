void DefinedAbove() {}
