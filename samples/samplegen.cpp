// Placeholder until the sample library generator lands.
int main() { return 0; }
