# Makes a player's key list for a recorded game: one item per tick, drawn from weighted
# choices by a fixed generator (the same list for the same arguments on every machine).
# Usage: awk -v seed=S -v ticks=N -v mix=KEY:WEIGHT,... [-v switch_at=T -v mix2=...] -f player_keys.awk
# An empty KEY is a tick without a key; from tick switch_at on, mix2 replaces mix (a player who
# stops shooting, say, so that the game ends sooner).
BEGIN {
    state = seed % 2147483647
    if (state <= 0) state = 1
    for (t = 1; t <= ticks; t++) {
        if (t == 1 || t == switch_at) {
            n = split(t == 1 ? mix : mix2, parts, ",")
            total = 0
            for (i = 1; i <= n; i++) {
                split(parts[i], pair, ":")
                key[i] = pair[1]
                weight[i] = pair[2]
                total += pair[2]
            }
        }
        state = (state * 48271) % 2147483647  # exact in awk's doubles: the product stays below 2^53
        r = state % total
        for (i = 1; i < n && r >= weight[i]; i++) r -= weight[i]
        printf "%s%s", (t > 1 ? "," : ""), key[i]
    }
    printf "\n"
}
