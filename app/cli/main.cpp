// PLACEHOLDER: replaced by the real implementation.
int main() { return 1; }
