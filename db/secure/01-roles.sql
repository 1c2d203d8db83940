-- Securing a plant's database, step 1 (before the upgrade scripts): the roles. For database D,
-- the NOLOGIN owner role D_owner, which owns the plant's objects and creates the people's logins
-- through the people functions, and the four NOLOGIN job roles D_foreman, D_storekeeper,
-- D_reviewer and D_administrator, named with the database so that plants can share a server.
-- Run by "plant-client --secure-database" (and by --upgrade-database on a secured database) as a
-- superuser, in one transaction with the other steps; idempotent. What it did goes into
-- pg_temp.secure_report, which the command prints.

CREATE TEMP TABLE IF NOT EXISTS secure_report (n serial, line text) ON COMMIT DROP;
-- Later steps write it as the owner role.
GRANT ALL ON secure_report, secure_report_n_seq TO PUBLIC;

DO $$
DECLARE
    d text := current_database();
    job text;
    r pg_roles;
BEGIN
    IF NOT (SELECT rolsuper FROM pg_roles WHERE rolname = session_user) THEN
        RAISE EXCEPTION 'Роль % не суперпользователь: защищает и обновляет защищённую базу суперпользователь PostgreSQL (PGUSER)', session_user;
    END IF;
    -- The login built into every copy of the client loses its rights here; it cannot be the one
    -- that does it.
    IF session_user = 'sys' THEN
        RAISE EXCEPTION 'Запустите команду от имени другого суперпользователя (PGUSER): встроенная учётная запись sys лишается прав';
    END IF;
    IF length(d) + length('_administrator') > 63 THEN
        RAISE EXCEPTION 'Имя базы % длиннее 49 знаков: имена её ролей не помещаются в 63 знака', d;
    END IF;
    FOREACH job IN ARRAY ARRAY['owner', 'foreman', 'storekeeper', 'reviewer', 'administrator'] LOOP
        SELECT * INTO r FROM pg_roles WHERE rolname = d || '_' || job;
        IF NOT FOUND THEN
            EXECUTE format('CREATE ROLE %I NOLOGIN', d || '_' || job);
            INSERT INTO secure_report(line) VALUES (format('создана роль %s', d || '_' || job));
        ELSIF r.rolcanlogin OR r.rolsuper OR r.rolbypassrls OR r.rolcreatedb THEN
            EXECUTE format('ALTER ROLE %I NOLOGIN NOSUPERUSER NOBYPASSRLS NOCREATEDB', d || '_' || job);
            INSERT INTO secure_report(line)
                VALUES (format('у роли %s сняты LOGIN, SUPERUSER, BYPASSRLS, CREATEDB', d || '_' || job));
        END IF;
    END LOOP;
    -- The owner makes the people's logins (only through the people functions, which run with its
    -- rights); the job roles make nothing.
    IF NOT (SELECT rolcreaterole FROM pg_roles WHERE rolname = d || '_owner') THEN
        EXECUTE format('ALTER ROLE %I CREATEROLE', d || '_owner');
    END IF;
    FOREACH job IN ARRAY ARRAY['foreman', 'storekeeper', 'reviewer', 'administrator'] LOOP
        EXECUTE format('ALTER ROLE %I NOCREATEROLE', d || '_' || job);
        -- From PostgreSQL 16 on, CREATEROLE grants only roles it administers: the owner
        -- administers the jobs without taking their rights.
        IF current_setting('server_version_num')::integer >= 160000 THEN
            EXECUTE format('GRANT %I TO %I WITH ADMIN OPTION, INHERIT FALSE, SET FALSE',
                           d || '_' || job, d || '_owner');
        END IF;
    END LOOP;
END
$$;
