# start_test_postgres: a throwaway PostgreSQL cluster on 127.0.0.1 and a free port, in a
# temporary folder, removed when the calling script exits. Exports MONITOREO_TEST_PG.

start_test_postgres() {
  local bin port dir runner=()
  bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1 || true)
  if [ -z "$bin" ]; then
    echo "PostgreSQL is not installed: its tests will be skipped" >&2
    return 0
  fi
  dir=$(mktemp -d /tmp/monitoreo-pg.XXXXXX)
  if [ "$(id -u)" -eq 0 ]; then
    chown postgres "$dir"
    runner=(runuser -u postgres --)
  fi
  local free=""
  for port in $(seq 54321 54421); do
    if ! (echo >"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then
      free=$port
      break
    fi
  done
  if [ -z "$free" ]; then
    echo "No free port on 127.0.0.1 for the test PostgreSQL" >&2
    return 1
  fi
  port=$free
  "${runner[@]}" "$bin/initdb" -D "$dir/data" -U postgres --auth=trust --encoding=UTF8 \
    --locale=C.UTF-8 >"$dir/initdb.log" 2>&1 || { cat "$dir/initdb.log"; return 1; }
  "${runner[@]}" "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w \
    -o "-c listen_addresses=127.0.0.1 -p $port -k $dir -c fsync=off -c max_connections=100" \
    start >/dev/null || { cat "$dir/server.log"; return 1; }
  _monitoreo_pg_stop="${runner[*]} $bin/pg_ctl -D $dir/data -m immediate stop >/dev/null 2>&1; rm -rf $dir"
  trap 'eval "$_monitoreo_pg_stop"' EXIT
  export MONITOREO_TEST_PG="host=127.0.0.1 port=$port user=postgres dbname=postgres"
  echo "Test PostgreSQL on 127.0.0.1:$port"
}
