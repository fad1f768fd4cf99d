// infconv: converts INF files between text and binary form.
int main() { return 0; }
